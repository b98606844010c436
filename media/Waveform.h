#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QAudioDecoder;

// A recording's waveform, decoded in the background (a fresh decoder a file): the loudest sample
// of every hundredth of a second, 0 to 1. It grows as the decoder delivers its buffers, which
// each take a moment of the user-interface thread, so a window drawing it never waits on it.
class Waveform : public QObject {
    Q_OBJECT
public:
    static constexpr int binsPerSecond = 100;

    explicit Waveform(QObject *parent = nullptr);
    ~Waveform() override;

    // Starts decoding `path`, forgetting the waveform before.
    void decode(const QString &path);
    const std::vector<float> &peaks() const { return m_peaks; }
    bool finished() const { return m_finished; }

signals:
    // More of it decoded; finished() once all of it is, or once the decoder gave up.
    void grown();

private:
    void read();
    template <typename Sample>
    void add(const Sample *samples, qint64 frames, int channels, double scale, qint64 firstBin,
             int rate);

    QPointer<QAudioDecoder> m_decoder;
    std::vector<float> m_peaks;
    bool m_finished = false;
};
