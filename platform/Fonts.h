#pragma once

// The program names Windows fonts; map each to the free font closest to it.
void installFontSubstitutions();
