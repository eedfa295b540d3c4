#include "platform/win32/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace win32 {
namespace {

// The device's buffers: four of a quarter of a second each, so that a second of sound is
// always queued ahead of what is heard.
constexpr int kBuffers = 4;
constexpr int kPiecesPerSecond = 4;

} // namespace

// A clip playing: its decoder, the device and its buffers, and the thread that keeps them
// filled. The device wakes the thread through `wake` whenever it is done with a buffer; stop()
// wakes it too, after setting `stopping`.
struct Sound::Playing {
    explicit Playing(const platform::Clip& clip) : decoder(clip) {}
    ~Playing() {
        if (wake) CloseHandle(wake);
    }

    // Decodes the next piece into buffer `i`; false at the end of the sound.
    bool decode(int i) {
        pieces[i].clear();
        return decoder.next(pieces[i], most) > 0 && !pieces[i].empty();
    }

    // Hands buffer `i`, holding its piece, to the device; false when the device refuses it.
    bool send(int i) {
        WAVEHDR& h = headers[i];
        h = WAVEHDR{};
        h.lpData = reinterpret_cast<LPSTR>(pieces[i].data());
        h.dwBufferLength = DWORD(pieces[i].size() * sizeof(std::int16_t));
        if (waveOutPrepareHeader(device, &h, sizeof h) != MMSYSERR_NOERROR) return false;
        if (waveOutWrite(device, &h, sizeof h) != MMSYSERR_NOERROR) {
            waveOutUnprepareHeader(device, &h, sizeof h);
            return false;
        }
        return queued[i] = true;
    }

    // Takes back every buffer the device is done with (all of them with `all`); true when the
    // device holds none any more.
    bool takeBack(bool all = false) {
        bool none = true;
        for (int i = 0; i < kBuffers; ++i) {
            if (!queued[i]) continue;
            // The device sets the flag from a thread of its own.
            const DWORD flags = reinterpret_cast<volatile DWORD&>(headers[i].dwFlags);
            if (!all && !(flags & WHDR_DONE)) {
                none = false;
                continue;
            }
            waveOutUnprepareHeader(device, &headers[i], sizeof headers[i]);
            queued[i] = false;
        }
        return none;
    }

    // The thread: refills the buffers as the device gives them back, until the whole sound has
    // been played or it is stopped; then closes the device.
    void feed() {
        for (;;) {
            takeBack();
            // The end of the sound, or a device that takes no more, ends the playing.
            for (int i = 0; i < kBuffers && !ended && !stopping; ++i)
                if (!queued[i]) ended = !decode(i) || !send(i);
            if (stopping || (ended && takeBack())) break;
            WaitForSingleObject(wake, INFINITE);
        }
        // A reset hands back every buffer still queued, marked as done.
        waveOutReset(device);
        takeBack(true);
        waveOutClose(device);
        finished = true;
    }

    platform::Decoder decoder;
    std::size_t most = 0; // the samples of a piece
    bool ended = false;
    HWAVEOUT device = nullptr;
    HANDLE wake = nullptr;
    std::vector<std::int16_t> pieces[kBuffers];
    WAVEHDR headers[kBuffers]{};
    bool queued[kBuffers]{};
    std::atomic<bool> stopping{false}, finished{false};
    std::thread feeder;
};

// The system's first look at its sound devices takes a while (some 50 ms under Wine); done on a
// thread of its own while the window opens, the first play starts as fast as the next ones.
Sound::Sound() : ready_([] { waveOutGetNumDevs(); }) {}

Sound::~Sound() {
    if (ready_.joinable()) ready_.join();
    stop();
}

void Sound::stop() {
    if (!playing_) return;
    playing_->stopping = true;
    SetEvent(playing_->wake);
    if (playing_->feeder.joinable()) playing_->feeder.join();
    playing_.reset();
}

bool Sound::busy() const {
    return playing_ && !playing_->finished;
}

platform::Played Sound::play(const platform::Clip& clip) {
    auto next = std::make_unique<Playing>(clip);
    const platform::Decoder& d = next->decoder;
    if (!d.ok()) return platform::Played::Unreadable;
    next->most = std::size_t(d.rate() / kPiecesPerSecond + 1) * std::size_t(d.channels());
    // The first piece is decoded here: a clip that yields no sound at all is refused before
    // what plays now is stopped.
    if (!next->decode(0)) return platform::Played::Unreadable;

    if (ready_.joinable()) ready_.join();
    stop();
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = WORD(d.channels());
    format.nSamplesPerSec = DWORD(d.rate());
    format.wBitsPerSample = 16;
    format.nBlockAlign = WORD(format.nChannels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    next->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!next->wake ||
        waveOutOpen(&next->device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(next->wake), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR)
        return platform::Played::NoOutput;

    // The first piece goes to the device at once; the thread decodes the rest.
    if (!next->send(0)) {
        waveOutClose(next->device);
        return platform::Played::NoOutput;
    }
    Playing* p = next.get();
    next->feeder = std::thread([p] { p->feed(); });
    playing_ = std::move(next);
    return platform::Played::Started;
}

} // namespace win32
