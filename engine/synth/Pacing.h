#pragma once

#include <QString>

// What the speed slider means for every synthesiser: words a minute of the
// words themselves, with pauses that follow the punctuation and scale with the
// speed as the words do.
namespace Pacing {
// How a slowing is shared: the synthesiser lengthens its own speech down to
// its floor, the speech pipeline stretches the rest.
struct Slowing
{
    double own = 1.0;      // the synthesiser's own lengthening
    double pipeline = 1.0; // the pipeline's stretch beyond it
};
// `lengthening` is the synthesiser's own speed over the asked one; `floor` the
// most it lengthens its speech cleanly. Never below 1 in the pipeline.
Slowing slowing(double lengthening, double floor);

// What ends a piece of text, from the least pause to the longest.
enum class Break { None, Clause, Sentence, Paragraph };
// What follows the text that ends at `end` (exclusive): nothing at the text's
// end, where the next sound is wanted at once.
Break breakAfter(const QString &text, qsizetype end);
// A pause's length in seconds at a speed, as heard.
double pauseSeconds(Break kind, int wordsPerMinute);
} // namespace Pacing
