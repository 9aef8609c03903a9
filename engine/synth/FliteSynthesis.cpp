#include "engine/synth/FliteSynthesis.h"

#include "engine/synth/TextChunker.h"

#include <algorithm>
#include <cstring>
#include <limits>

extern "C" {
#include <flite/flite.h>
}

namespace {
// The first utterance of a job is kept short: a clustergen voice prepares a
// whole utterance before its first sample, about 3 ms a word here. It ends at a
// comma after 3 words, else only after 10: a cut mid-sentence breaks the
// sentence's melody (cut after 5, a recogniser lost a third more of Mary's words).
constexpr int firstUtteranceWords = 3;
constexpr int firstUtteranceHardLimit = 10;
constexpr int utteranceLimit = 500; // as Flite's own reader does
constexpr int streamBlock = 512;    // voice samples per handed-over piece

int trampoline(const cst_wave *wave, int start, int size, int, cst_audio_streaming_info *info)
{
    auto *self = static_cast<FliteSynthesis *>(info->userdata);
    return self->onAudio(wave, start, size, info->utt);
}

const char *voiceText(cst_voice *voice, const char *feature)
{
    return get_param_string(voice->features, feature, nullptr);
}

// UTF-8 length of one UTF-16 unit or pair, as QString::toUtf8() writes it.
int utf8Length(const QString &text, qsizetype i, int *units)
{
    const char16_t c = text.at(i).unicode();
    *units = 1;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *units = 2;
        return 4;
    }
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}
} // namespace

// Not under Flite's lock: the worker holds that while it waits for room in the ring,
// and a Speak() on the GUI thread waiting for it would never let the ring drain.
QString FliteSynthesis::startError(const QByteArray &voice)
{
    return FliteVoices::initialise(voice);
}

FliteSynthesis::FliteSynthesis(SpeechJob &job, SampleRing &ring)
    : Synthesis(job, ring, FliteVoices::controls(job.voice, job.settings).slowdown,
                FliteVoices::controls(job.voice, job.settings).pitchShift),
      m_controls(FliteVoices::controls(job.voice, job.settings)),
      m_resampler(FliteVoices::playbackRate(job.voice.voice), sampleRate)
{
}

void FliteSynthesis::synthesise()
{
    {
        std::lock_guard lock(FliteVoices::lock());
        m_voice = FliteVoices::find(job().voice.voice);
    }
    if (!m_voice) {
        fail(QStringLiteral("Flite's voice %1 is not registered").arg(QString::fromLatin1(job().voice.voice)));
        return;
    }
    const QString &text = job().text;
    for (qsizetype from = 0; from < text.size() && !stopped();) {
        const qsizetype to = TextChunker::nextEnd(text, from);
        synthesisePiece(from, to);
        from = to;
    }
    if (stopped())
        return;
    m_resampled.clear();
    m_resampler.flush(m_resampled);
    feed(m_resampled.data(), qint64(m_resampled.size()));
}

void FliteSynthesis::synthesisePiece(qsizetype from, qsizetype to)
{
    const QString piece = job().text.mid(from, to - from);
    const QByteArray utf8 = piece.toUtf8();
    mapPiece(piece, from, utf8.size());
    std::lock_guard lock(FliteVoices::lock());
    FliteVoices::apply(job().voice.voice, m_controls);
    cst_tokenstream *ts = ts_open_string(
        utf8.constData(), voiceText(m_voice, "text_whitespace"), voiceText(m_voice, "text_singlecharsymbols"),
        voiceText(m_voice, "text_prepunctuation"), voiceText(m_voice, "text_postpunctuation"));
    cst_utterance *utterance = nullptr;
    cst_relation *tokens = nullptr;
    int count = 0;
    while (!stopped()) {
        const char *token = ts_eof(ts) ? "" : ts_get(ts);
        const bool end = *token == '\0';
        const Break cut = end || !utterance ? Break::Sentence : breakBefore(ts, token, tokens, count);
        if (utterance && cut != Break::None) {
            speak(utterance, cut == Break::Cut);
            utterance = nullptr;
        }
        if (end || stopped())
            break;
        if (!utterance) {
            utterance = new_utterance();
            tokens = utt_relation_create(utterance, "Token");
            count = 0;
        }
        appendToken(tokens, ts, token);
        ++count;
    }
    if (utterance)
        delete_utterance(utterance);
    ts_close(ts);
}

// Byte offsets of the tokenstream back to positions in the job's text.
void FliteSynthesis::mapPiece(const QString &piece, qsizetype offset, qsizetype bytes)
{
    m_textAt.clear();
    m_textAt.reserve(size_t(bytes) + 1);
    for (qsizetype i = 0; i < piece.size();) {
        int units = 1;
        const int length = utf8Length(piece, i, &units);
        m_textAt.insert(m_textAt.end(), size_t(length), int(offset + i));
        i += units;
    }
    m_textAt.resize(size_t(bytes) + 1, int(offset + piece.size()));
}

FliteSynthesis::Break FliteSynthesis::breakBefore(cst_tokenstream *ts, const char *token,
                                                  cst_relation *tokens, int count) const
{
    if (count >= utteranceLimit)
        return Break::Sentence;
    const cst_val *rule = feat_val(m_voice->features, "utt_break");
    if (rule && val_breakfunc(rule)(ts, token, tokens))
        return Break::Sentence;
    if (m_utterances > 0)
        return Break::None;
    // The first sound comes soon, at a comma if there is one early on.
    const cst_item *last = relation_tail(tokens);
    const bool afterPunctuation = last && *item_feat_string(last, "punc") != '\0';
    if (count >= firstUtteranceHardLimit || (count >= firstUtteranceWords && afterPunctuation))
        return Break::Cut;
    return Break::None;
}

void FliteSynthesis::appendToken(cst_relation *tokens, cst_tokenstream *ts, const char *token)
{
    cst_item *item = relation_append(tokens, nullptr);
    item_set_string(item, "name", token);
    item_set_string(item, "whitespace", ts->whitespace);
    item_set_string(item, "prepunctuation", ts->prepunctuation);
    item_set_string(item, "punc", ts->postpunctuation);
    const qsizetype last = qsizetype(m_textAt.size()) - 1;
    const qsizetype begin =
        std::clamp<qsizetype>(ts->token_pos + qsizetype(std::strlen(ts->prepunctuation)), 0, last);
    const qsizetype end = std::clamp<qsizetype>(begin + qsizetype(std::strlen(token)), 0, last);
    item_set_int(item, "text_position", m_textAt[size_t(begin)]);
    item_set_int(item, "text_length", m_textAt[size_t(end)] - m_textAt[size_t(begin)]);
}

void FliteSynthesis::speak(cst_utterance *utterance, bool cutAfter)
{
    ++m_utterances;
    cst_audio_streaming_info *info = new_audio_streaming_info();
    info->asc = trampoline;
    info->min_buffsize = streamBlock;
    info->userdata = this;
    feat_set(utterance->features, "streaming_info", audio_streaming_info_val(info));
    m_streamed = 0;
    m_prepared = false;
    m_cutAfter = cutAfter;
    const cst_item *firstToken = relation_head(utt_relation(utterance, "Token"));
    const int sentenceAt = firstToken ? item_feat_int(firstToken, "text_position") : 0;
    utterance = flite_do_synth(utterance, m_voice, utt_synth_tokens);
    if (!utterance) { // Flite has deleted it
        fail(QStringLiteral("Flite could not speak the sentence \"%1\"")
                 .arg(job().text.mid(sentenceAt, 60).simplified()));
        return;
    }
    const cst_wave *wave = utt_wave(utterance);
    if (!stopped() && wave) {
        prepare(utterance); // when the voice did not stream
        deliver(wave, m_streamed, wave->num_samples);
        // A diphone voice's wave may end before its last pause's middle.
        while (m_nextPause < m_pauses.size() && !stopped())
            handOverSilence(m_pauses[m_nextPause++].length);
    }
    if (wave)
        m_utteranceStart += std::max<qint64>(0, std::min<qint64>(wave->num_samples, m_keepTo) - m_keepFrom)
                            + silenceBefore(std::numeric_limits<qint64>::max());
    m_continuing = cutAfter;
    delete_utterance(utterance);
}

int FliteSynthesis::onAudio(const cst_wave *wave, int start, int size, const cst_utterance *utterance)
{
    if (stopped())
        return CST_AUDIO_STREAM_STOP;
    prepare(utterance);
    deliver(wave, start, qint64(start) + size);
    return stopped() ? CST_AUDIO_STREAM_STOP : CST_AUDIO_STREAM_CONT;
}

// Hands over the utterance's samples from..to, leaving out the pauses around a cut
// and lengthening the others.
void FliteSynthesis::deliver(const cst_wave *wave, qint64 from, qint64 to)
{
    qint64 begin = std::max({from, m_streamed, m_keepFrom});
    const qint64 end = std::min({to, qint64(wave->num_samples), m_keepTo});
    m_streamed = std::max(m_streamed, std::min<qint64>(to, wave->num_samples));
    while (begin < end && !stopped()) {
        const bool pauseDue = m_nextPause < m_pauses.size() && m_pauses[m_nextPause].at < end;
        const qint64 upTo = pauseDue ? std::max(begin, m_pauses[m_nextPause].at) : end;
        handOver(wave->samples + begin, upTo - begin);
        begin = upTo;
        if (pauseDue)
            handOverSilence(m_pauses[m_nextPause++].length);
    }
}

void FliteSynthesis::handOver(const qint16 *samples, qint64 count)
{
    if (count <= 0)
        return;
    m_resampled.clear();
    m_resampler.process(samples, count, m_resampled);
    feed(m_resampled.data(), qint64(m_resampled.size()));
}

void FliteSynthesis::handOverSilence(qint64 count)
{
    static const std::vector<qint16> silence(streamBlock, 0);
    for (qint64 left = count; left > 0 && !stopped(); left -= streamBlock)
        handOver(silence.data(), std::min<qint64>(left, streamBlock));
}

// A slowed reading pauses longer: silence of pauseStretch - 1 times the utterance's
// length, shared among the middles of its pauses (all but the leading one).
void FliteSynthesis::planPauses(const cst_item *first, const cst_item *last)
{
    m_pauses.clear();
    m_nextPause = 0;
    if (m_controls.pauseStretch <= 1.0 || !first || !last)
        return;
    float start = 0.0f;
    for (const cst_item *s = first; s; s = item_next(s)) {
        const float end = item_feat_float(s, "end");
        const qint64 middle = secondsToSamples((start + end) / 2);
        if (s != first && std::strcmp(item_feat_string(s, "name"), "pau") == 0 && middle > m_keepFrom
            && middle < m_keepTo)
            m_pauses.push_back({middle, 0});
        start = end;
    }
    if (m_pauses.empty())
        return;
    const double added = (m_controls.pauseStretch - 1.0) * double(secondsToSamples(item_feat_float(last, "end")));
    for (Pause &pause : m_pauses)
        pause.length = qint64(added / double(m_pauses.size()));
}

// Silence handed over before the utterance's sample, or planned to be.
qint64 FliteSynthesis::silenceBefore(qint64 sample) const
{
    qint64 total = 0;
    for (const Pause &pause : m_pauses)
        if (pause.at < sample)
            total += pause.length;
    return total;
}

// Once the utterance's durations are set, before its first sample: the part
// kept (a sentence cut for a quick start loses the pauses at the cut) and the
// events of every segment.
void FliteSynthesis::prepare(const cst_utterance *utterance)
{
    if (m_prepared || !utterance)
        return;
    m_prepared = true;
    cst_relation *segments = utt_relation(utterance, "Segment");
    const cst_item *first = relation_head(segments);
    const cst_item *last = relation_tail(segments);
    m_keepFrom = m_continuing && first ? secondsToSamples(item_feat_float(first, "end")) : 0;
    m_keepTo = m_cutAfter && last && item_prev(last)
                   ? secondsToSamples(item_feat_float(item_prev(last), "end"))
                   : std::numeric_limits<qint64>::max();
    planPauses(first, last);
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
    const qint64 kept = std::max<qint64>(0, sample - m_keepFrom) + silenceBefore(sample);
    return streamPosition(m_resampler.outputPosition(m_utteranceStart + kept));
}
