#pragma once

#include <QtGlobal>

class QWidget;

// 32-bit window handles for widgets, as the help calls pass them around.
// A handle of a destroyed widget leads nowhere; 0 is no window.
namespace WindowHandles {
qint32 handleOf(QWidget *widget);
QWidget *widgetOf(qint32 handle);
} // namespace WindowHandles
