#pragma once

#include "platform/AppError.h"
#include "platform/PropertyBag.h"

#include <QRect>
#include <QString>
#include <vector>

// One control of a window's design (or the window itself): what it is, what it is
// called, where it sits in its parent (twips) and its design-time properties.
struct FormNode
{
    QString kind; // "Form", "UcCmd", "UcScroll", "Label", ...
    QString name; // "Main", "cmdExit", "scrSpeed", ...
    QRect place;  // left, top, width, height in twips
    PropertyBag properties;
    std::vector<FormNode> children; // in the order they were written

    bool operator==(const FormNode &other) const = default;
    // The direct child called `name` (compared without case), or nullptr.
    const FormNode *child(const QString &name) const;
};

// A malformed form file: error 321 "Invalid file format", with the line (1-based)
// where reading stopped.
class FormFileError : public AppError
{
public:
    FormFileError(int line, const QString &reason);
    int line() const { return m_line; }
    const QString &reason() const { return m_reason; }

    static constexpr qint32 InvalidFileFormat = 321;

private:
    int m_line;
    QString m_reason;
};

// Reads and writes form files. The format, one statement a line:
//
//     # Vocalino form                              <- '#' starts a comment line
//     Begin Form Main                              <- Begin <kind> <name>
//       Place = 0 0 9600 7200                      <- left top width height, twips
//       Caption = string "Vocalino 5.0"
//       Begin UcCmd cmdExit                        <- blocks nest as windows hold controls
//         Place = 7800 6300 1395 285
//         Style = int32 4
//         ScaleFactor = double 1.5
//         Caption = string "Exit"
//         Font = font "Comic Sans MS" 9.75 bold italic underline strikeout
//       End
//     End
//
// Kinds, names and keys are words of letters, digits and '_' (not starting with a
// digit). Every property line is "<Key> = <type> <value>", with the types:
//     int16    -32768..32767                  qint16
//     int32    32-bit signed                  qint32
//     double   a finite number (1, 2.5, 1e-3) double
//     bool     true | false                   bool
//     string   "text" with \" \\ \n \r \t \xHH  QString
//     colour   &H00BBGGRR& (0x00BBGGRR, system colours 0x800000nn)  quint32
//     font     "family" size [bold | weight=N] [italic] [underline] [strikeout]  QFont
//     picture  "path or :/resource"  (empty text: no picture)          PictureRef
// Keys keep the order they are written in; a key may appear once per block. Place
// is optional (0 0 0 0) and appears at most once. There is exactly one top-level
// block. Anything else is an error naming its line; reading never crashes and is
// bounded (size, line length, nesting depth).
class FormFile
{
public:
    static constexpr qsizetype MaxBytes = 4 * 1024 * 1024;
    static constexpr qsizetype MaxLineLength = 64 * 1024;
    static constexpr int MaxDepth = 32;

    static FormNode parse(const QString &text); // throws FormFileError
    static QString write(const FormNode &root); // throws AppError 13 for a value of another type

    // Files: a missing or unreadable file throws AppError 53 / 75; saving goes through
    // a temporary file renamed into place.
    static FormNode load(const QString &path);
    static void save(const QString &path, const FormNode &root);
};
