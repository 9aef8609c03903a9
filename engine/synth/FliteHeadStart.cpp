#include "engine/synth/FliteHeadStart.h"

#include <mutex>

extern "C" {
#include <flite/flite.h>
}

namespace {
struct Kept
{
    QByteArray key;
    cst_utterance *utterance = nullptr;
};

Kept &kept()
{
    static Kept one;
    return one;
}

// Its own lock, not Flite's: the worker holds Flite's while it waits for room to play.
std::mutex &keptLock()
{
    static std::mutex lock;
    return lock;
}

void appendField(QByteArray &key, const cst_item *item, const char *feature)
{
    key += item_feat_string(item, feature);
    key += '\x1f';
}
} // namespace

namespace FliteHeadStart {
QByteArray keyOf(const QByteArray &voice, const FliteVoices::Controls &controls, const cst_utterance *utterance)
{
    QByteArray key = voice + '\x1e' + QByteArray::number(controls.durationStretch, 'g', 17) + '\x1e' +
                     QByteArray::number(controls.f0Factor, 'g', 17) + '\x1e';
    for (const cst_item *token = relation_head(utt_relation(utterance, "Token")); token;
         token = item_next(token)) {
        for (const char *feature : {"name", "whitespace", "prepunctuation", "punc"})
            appendField(key, token, feature);
        key += QByteArray::number(item_feat_int(token, "text_position")) + ',' +
               QByteArray::number(item_feat_int(token, "text_length")) + '\x1e';
    }
    return key;
}

void keep(cst_utterance *utterance, const QByteArray &key)
{
    std::lock_guard lock(keptLock());
    Kept &k = kept();
    if (k.utterance)
        delete_utterance(k.utterance);
    k = {key, utterance};
}

cst_utterance *take(const QByteArray &key)
{
    std::lock_guard lock(keptLock());
    Kept &k = kept();
    if (!k.utterance || k.key != key)
        return nullptr;
    cst_utterance *utterance = k.utterance;
    k = {};
    return utterance;
}

bool holds()
{
    std::lock_guard lock(keptLock());
    return kept().utterance != nullptr;
}
} // namespace FliteHeadStart
