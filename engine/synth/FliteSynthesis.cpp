#include "engine/synth/FliteSynthesis.h"

#include "engine/synth/FliteHeadStart.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

extern "C" {
#include <flite/flite.h>
}

namespace {
constexpr int utteranceLimit = 500; // as Flite's own reader does
constexpr int streamBlock = 512;    // voice samples per handed-over piece
// Kept of an utterance's leading and trailing pause: the last phone's decay.
constexpr float pauseEdgeSeconds = 0.01f;

int trampoline(const cst_wave *wave, int start, int size, int, cst_audio_streaming_info *info)
{
    auto *self = static_cast<FliteSynthesis *>(info->userdata);
    return self->onAudio(wave, start, size, info->utt);
}

const char *voiceText(cst_voice *voice, const char *feature)
{
    return get_param_string(voice->features, feature, nullptr);
}

} // namespace

// Not under Flite's lock: the worker holds that while it waits for room in the ring,
// and a Speak() on the GUI thread waiting for it would never let the ring drain.
QString FliteSynthesis::startError(const QByteArray &voice)
{
    return FliteVoices::initialise(voice);
}

FliteSynthesis::FliteSynthesis(SpeechJob &job, SampleRing &ring)
    : FliteSynthesis(job, ring, FliteVoices::controls(job.voice, job.settings))
{
}

FliteSynthesis::FliteSynthesis(SpeechJob &job, SampleRing &ring, const FliteVoices::Controls &controls)
    : Synthesis(job, ring, controls.slowdown, controls.pitchShift), m_controls(controls),
      m_resampler(FliteVoices::playbackRate(job.voice.voice), sampleRate)
{
}

void FliteSynthesis::synthesiseAhead()
{
    const std::optional<PieceText> first = firstSentence();
    if (!first || !begin())
        return;
    m_ahead = true;
    speak(*first);
}

bool FliteSynthesis::begin()
{
    std::lock_guard lock(FliteVoices::lock());
    m_voice = FliteVoices::find(job().voice.voice);
    if (!m_voice)
        fail(QStringLiteral("Flite's voice %1 is not registered").arg(QString::fromLatin1(job().voice.voice)));
    return m_voice != nullptr;
}

void FliteSynthesis::end()
{
    m_resampled.clear();
    m_resampler.flush(m_resampled);
    feed(m_resampled.data(), qint64(m_resampled.size()));
}

// Utterances within a piece (Flite breaks at a colon, or after 500 words) are
// parted by a clause's pause.
void FliteSynthesis::speak(const PieceText &piece)
{
    std::lock_guard lock(FliteVoices::lock());
    FliteVoices::apply(job().voice.voice, m_controls);
    cst_tokenstream *ts =
        ts_open_string(piece.utf8().constData(), voiceText(m_voice, "text_whitespace"),
                       voiceText(m_voice, "text_singlecharsymbols"),
                       voiceText(m_voice, "text_prepunctuation"), voiceText(m_voice, "text_postpunctuation"));
    cst_utterance *utterance = nullptr;
    cst_relation *tokens = nullptr;
    int count = 0;
    bool spoken = false;
    while (!stopped()) {
        const char *token = ts_eof(ts) ? "" : ts_get(ts);
        const bool end = *token == '\0';
        if (utterance && (end || breakBefore(ts, token, tokens, count))) {
            if (spoken)
                pause(pauseSamples(Pacing::Break::Clause));
            speakUtterance(utterance);
            utterance = nullptr;
            spoken = true;
        }
        if (end || stopped())
            break;
        if (!utterance) {
            utterance = new_utterance();
            tokens = utt_relation_create(utterance, "Token");
            count = 0;
        }
        appendToken(tokens, ts, token, piece);
        ++count;
    }
    if (utterance)
        delete_utterance(utterance);
    ts_close(ts);
}

bool FliteSynthesis::breakBefore(cst_tokenstream *ts, const char *token, cst_relation *tokens,
                                 int count) const
{
    if (count >= utteranceLimit)
        return true;
    const cst_val *rule = feat_val(m_voice->features, "utt_break");
    return rule && val_breakfunc(rule)(ts, token, tokens);
}

void FliteSynthesis::appendToken(cst_relation *tokens, cst_tokenstream *ts, const char *token,
                                 const PieceText &piece)
{
    cst_item *item = relation_append(tokens, nullptr);
    item_set_string(item, "name", token);
    item_set_string(item, "whitespace", ts->whitespace);
    item_set_string(item, "prepunctuation", ts->prepunctuation);
    item_set_string(item, "punc", ts->postpunctuation);
    const qsizetype begin = ts->token_pos + qsizetype(std::strlen(ts->prepunctuation));
    const qsizetype end = begin + qsizetype(std::strlen(token));
    item_set_int(item, "text_position", piece.atByte(begin));
    item_set_int(item, "text_length", piece.atByte(end) - piece.atByte(begin));
}

void FliteSynthesis::speakUtterance(cst_utterance *utterance)
{
    const QByteArray key = FliteHeadStart::keyOf(job().voice.voice, m_controls, utterance);
    if (m_ahead) {
        keepAhead(utterance, key);
        return;
    }
    m_streamed = 0;
    m_prepared = false;
    const cst_item *firstToken = relation_head(utt_relation(utterance, "Token"));
    const int sentenceAt = firstToken ? item_feat_int(firstToken, "text_position") : 0;
    utterance = synthesise(utterance, key);
    if (!utterance) { // Flite has deleted it
        fail(QStringLiteral("Flite could not speak the sentence \"%1\"")
                 .arg(job().text.mid(sentenceAt, 60).simplified()));
        return;
    }
    const cst_wave *wave = utt_wave(utterance);
    if (!stopped() && wave) {
        prepare(utterance); // when the voice did not stream
        deliver(wave, m_streamed, wave->num_samples);
    }
    if (wave)
        m_utteranceStart += std::max<qint64>(0, std::min<qint64>(wave->num_samples, m_keepTo) - m_keepFrom);
    delete_utterance(utterance);
}

// The utterance made ahead for these tokens, or Flite's, streamed as it comes.
cst_utterance *FliteSynthesis::synthesise(cst_utterance *utterance, const QByteArray &key)
{
    if (cst_utterance *ready = FliteHeadStart::take(key)) {
        delete_utterance(utterance);
        return ready;
    }
    cst_audio_streaming_info *info = new_audio_streaming_info();
    info->asc = trampoline;
    info->min_buffsize = streamBlock;
    info->userdata = this;
    feat_set(utterance->features, "streaming_info", audio_streaming_info_val(info));
    return synthesiseAfresh(utterance);
}

// The voices' noise (their unvoiced sounds) comes from rand(): seeded alike for every
// utterance, a sentence sounds the same whatever was said before it, or made ahead.
cst_utterance *FliteSynthesis::synthesiseAfresh(cst_utterance *utterance)
{
    std::srand(1);
    return flite_do_synth(utterance, m_voice, utt_synth_tokens);
}

void FliteSynthesis::keepAhead(cst_utterance *utterance, const QByteArray &key)
{
    if (cst_utterance *made = synthesiseAfresh(utterance))
        FliteHeadStart::keep(made, key);
    stop(); // the first utterance is all a head start needs
}

int FliteSynthesis::onAudio(const cst_wave *wave, int start, int size, const cst_utterance *utterance)
{
    if (stopped())
        return CST_AUDIO_STREAM_STOP;
    prepare(utterance);
    deliver(wave, start, qint64(start) + size);
    return stopped() ? CST_AUDIO_STREAM_STOP : CST_AUDIO_STREAM_CONT;
}

// Hands over the utterance's samples from..to that are heard.
void FliteSynthesis::deliver(const cst_wave *wave, qint64 from, qint64 to)
{
    const qint64 begin = std::max({from, m_streamed, m_keepFrom});
    const qint64 end = std::min({to, qint64(wave->num_samples), m_keepTo});
    m_streamed = std::max(m_streamed, std::min<qint64>(to, wave->num_samples));
    if (begin < end)
        handOver(wave->samples + begin, end - begin);
}

void FliteSynthesis::handOver(const qint16 *samples, qint64 count)
{
    if (count <= 0)
        return;
    m_resampled.clear();
    m_resampler.process(samples, count, m_resampled);
    feed(m_resampled.data(), qint64(m_resampled.size()));
}

// Silence goes through the resampler too, so that every voice sample keeps its place.
void FliteSynthesis::pause(qint64 count)
{
    static const std::vector<qint16> silence(streamBlock, 0);
    const qint64 voiceSamples = count * FliteVoices::playbackRate(job().voice.voice) / sampleRate;
    for (qint64 left = voiceSamples; left > 0 && !stopped(); left -= streamBlock)
        handOver(silence.data(), std::min<qint64>(left, streamBlock));
    m_utteranceStart += voiceSamples;
}

// Once the utterance's durations are set, before its first sample: the part
// heard (without the pauses at its ends) and the events of every segment.
void FliteSynthesis::prepare(const cst_utterance *utterance)
{
    if (m_prepared || !utterance)
        return;
    m_prepared = true;
    cst_relation *segments = utt_relation(utterance, "Segment");
    const cst_item *first = relation_head(segments);
    const cst_item *last = relation_tail(segments);
    const auto isPause = [](const cst_item *s) {
        return s && std::strcmp(item_feat_string(s, "name"), "pau") == 0;
    };
    m_keepFrom = isPause(first) && first != last
                     ? std::max<qint64>(0, secondsToSamples(item_feat_float(first, "end") - pauseEdgeSeconds))
                     : 0;
    m_keepTo = isPause(last) && item_prev(last)
                   ? secondsToSamples(item_feat_float(item_prev(last), "end") + pauseEdgeSeconds)
                   : std::numeric_limits<qint64>::max();
    if (watched())
        pushEvents(first);
}
void FliteSynthesis::pushEvents(const cst_item *segment)
{
    const cst_item *token = nullptr;
    float start = 0.0f;
    for (const cst_item *s = segment; s; s = item_next(s)) {
        const qint64 position = positionOf(start);
        pushShape(position, visemeForFlitePhone(item_feat_string(s, "name")));
        const cst_item *owner = flite_path_to_item(s, "R:SylStructure.parent.parent.R:Token.parent");
        if (owner && owner != token) {
            token = owner;
            pushWord(position, item_feat_int(owner, "text_position"), item_feat_int(owner, "text_length"));
        }
        start = item_feat_float(s, "end");
    }
}

qint64 FliteSynthesis::secondsToSamples(float seconds)
{
    return qint64(double(seconds) * FliteVoices::voiceRate);
}

qint64 FliteSynthesis::positionOf(float seconds) const
{
    const qint64 sample = secondsToSamples(seconds);
    const qint64 kept = std::max<qint64>(0, sample - m_keepFrom);
    return streamPosition(m_resampler.outputPosition(m_utteranceStart + kept));
}
