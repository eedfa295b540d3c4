#pragma once
// The same ACM streams decoded by libavcodec, the trusted decoder the tests and the benchmark
// hold ours against (the tests link it; the programs do not).
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace avcodec {

// Decodes an ACM stream, header first, to at most the samples its header names; false on an
// error (what was decoded before it stays in `out`).
inline bool decodeAcm(const std::string& data, std::vector<std::int16_t>& out) {
    if (data.size() < 14) return false;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_INTERPLAY_ACM);
    av_log_set_level(AV_LOG_QUIET);
    AVCodecContext* c = avcodec_alloc_context3(codec);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    c->extradata = static_cast<std::uint8_t*>(av_mallocz(14 + AV_INPUT_BUFFER_PADDING_SIZE));
    std::memcpy(c->extradata, data.data(), 14);
    c->extradata_size = 14;
    av_channel_layout_default(&c->ch_layout, data[8]);
    std::uint32_t total = 0;
    std::memcpy(&total, data.data() + 4, 4);
    bool ok = avcodec_open2(c, codec, nullptr) == 0;
    auto take = [&] {
        while (avcodec_receive_frame(c, frame) == 0) {
            const auto* s = reinterpret_cast<const std::int16_t*>(frame->data[0]);
            const std::size_t n = std::size_t(frame->nb_samples) * std::size_t(data[8]);
            out.insert(out.end(), s, s + std::min<std::size_t>(n, total - out.size()));
            av_frame_unref(frame);
        }
    };
    for (std::size_t at = 14; ok && at < data.size() && out.size() < total;) {
        const std::size_t n = std::min<std::size_t>(4096, data.size() - at);
        av_new_packet(packet, int(n));
        std::memcpy(packet->data, data.data() + at, n);
        const int r = avcodec_send_packet(c, packet);
        av_packet_unref(packet);
        ok = r == 0 || r == AVERROR(EAGAIN);
        if (r == 0) at += n;
        take();
    }
    if (ok && avcodec_send_packet(c, nullptr) == 0) take();
    avcodec_free_context(&c);
    av_packet_free(&packet);
    av_frame_free(&frame);
    return ok;
}

} // namespace avcodec
