#pragma once

#include "engine/synth/FliteVoices.h"

#include <QByteArray>

typedef struct cst_utterance_struct cst_utterance;

// One utterance synthesised before it was asked for: the first sentence of the text
// being written, so that SPEAK starts from samples already made instead of waiting for
// Flite to prepare the whole sentence. Kept for the tokens and voice settings it was made
// with; safe from any thread.
namespace FliteHeadStart {
// What an utterance's tokens (their words, punctuation and places in the text) and the
// voice's settings make it: equal keys, equal sound.
QByteArray keyOf(const QByteArray &voice, const FliteVoices::Controls &controls, const cst_utterance *utterance);
// Keeps a synthesised utterance under its key; the one kept before goes.
void keep(cst_utterance *utterance, const QByteArray &key);
// The kept utterance if its key is `key`, handed to the caller (who deletes it); else null.
cst_utterance *take(const QByteArray &key);
bool holds();
} // namespace FliteHeadStart
