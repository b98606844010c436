#include "media/Waveform.h"

#include "media/MediaFramework.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <limits>

Waveform::Waveform(QObject *parent) : QObject(parent) {}

Waveform::~Waveform() = default;

void Waveform::decode(const QString &path)
{
    delete m_decoder.data();
    m_peaks.clear();
    m_finished = false;
    if (!mediaframework::unavailable().isEmpty()) {
        m_finished = true;
        emit grown();
        return;
    }
    auto *decoder = new QAudioDecoder(this);
    m_decoder = decoder;
    connect(decoder, &QAudioDecoder::bufferReady, this, &Waveform::read);
    const auto done = [this, decoder] {
        if (decoder != m_decoder)
            return;
        m_finished = true;
        emit grown();
    };
    connect(decoder, &QAudioDecoder::finished, this, done);
    connect(decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, done);
    decoder->setSource(QUrl::fromLocalFile(path));
    decoder->start();
}

void Waveform::read()
{
    if (!m_decoder)
        return;
    while (m_decoder->bufferAvailable()) {
        const QAudioBuffer buffer = m_decoder->read();
        const QAudioFormat format = buffer.format();
        const int rate = format.sampleRate();
        const int channels = format.channelCount();
        if (rate <= 0 || channels <= 0)
            continue;
        const qint64 firstBin = buffer.startTime() * binsPerSecond / 1'000'000;
        const qint64 frames = buffer.frameCount();
        switch (format.sampleFormat()) {
        case QAudioFormat::UInt8:
            add(buffer.constData<quint8>(), frames, channels, 1.0 / 128, firstBin, rate);
            break;
        case QAudioFormat::Int16:
            add(buffer.constData<qint16>(), frames, channels, 1.0 / 32768, firstBin, rate);
            break;
        case QAudioFormat::Int32:
            add(buffer.constData<qint32>(), frames, channels, 1.0 / 2147483648.0, firstBin, rate);
            break;
        case QAudioFormat::Float:
            add(buffer.constData<float>(), frames, channels, 1.0, firstBin, rate);
            break;
        default: break;
        }
    }
    emit grown();
}

template <typename Sample>
void Waveform::add(const Sample *samples, qint64 frames, int channels, double scale,
                   qint64 firstBin, int rate)
{
    // Unsigned 8-bit samples stand around 128.
    const double centre = std::is_same_v<Sample, quint8> ? 128.0 : 0.0;
    const qint64 lastBin = firstBin + frames * binsPerSecond / rate;
    if (lastBin >= qint64(m_peaks.size()))
        m_peaks.resize(std::size_t(lastBin + 1), 0.0f);
    for (qint64 frame = 0; frame < frames; ++frame) {
        const auto bin = std::size_t(firstBin + frame * binsPerSecond / rate);
        float &peak = m_peaks[bin];
        for (int channel = 0; channel < channels; ++channel) {
            const double value = std::abs(double(samples[frame * channels + channel]) - centre);
            peak = std::max(peak, float(std::min(1.0, value * scale)));
        }
    }
}
