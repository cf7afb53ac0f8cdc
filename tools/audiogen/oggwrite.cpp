// 16-bit PCM WAV written field by field, and Ogg Vorbis through libvorbisenc.
#include "oggwrite.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<uint8_t> &out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t> &out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<uint8_t> &out, const char *tag) {
    out.insert(out.end(), tag, tag + 4);
}

bool writePage(FILE *f, const ogg_page &page) {
    return fwrite(page.header, 1, size_t(page.header_len), f) == size_t(page.header_len) &&
           fwrite(page.body, 1, size_t(page.body_len), f) == size_t(page.body_len);
}

constexpr int oggSerial = 0x436f676d;
constexpr int oggBlockFrames = 1024;

} // namespace

bool wavWrite(const std::string &path, const float *samples, int frames, int channels, int rate) {
    uint32_t dataBytes = uint32_t(frames) * uint32_t(channels) * 2;
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, uint32_t(channels));
    put32(out, uint32_t(rate));
    put32(out, uint32_t(rate * channels * 2));
    put16(out, uint32_t(channels * 2));
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (int i = 0; i < frames * channels; i++) {
        float s = std::fmax(-1.0f, std::fmin(1.0f, samples[i]));
        put16(out, uint32_t(int32_t(std::lrint(s * 32767.0f))) & 0xFFFF);
    }
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(out.data(), 1, out.size(), f) == out.size();
    return fclose(f) == 0 && ok;
}

bool oggWrite(const std::string &path, const float *samples, int frames, int channels, int rate,
              float quality) {
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return false;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        fclose(f);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, oggSerial);

    bool ok = true;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    // The audio starts on a fresh page, as decoders expect.
    while (ogg_stream_flush(&os, &page) != 0)
        ok = ok && writePage(f, page);

    int done = 0;
    bool ended = false;
    bool lastWritten = false;
    while (!ended && !lastWritten) {
        int n = frames - done < oggBlockFrames ? frames - done : oggBlockFrames;
        if (n > 0) {
            float **in = vorbis_analysis_buffer(&vd, n);
            for (int i = 0; i < n; i++)
                for (int c = 0; c < channels; c++)
                    in[c][i] = samples[(done + i) * channels + c];
            done += n;
        }
        vorbis_analysis_wrote(&vd, n); // 0 marks the end of the stream
        lastWritten = n == 0;
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    ok = ok && writePage(f, page);
                    if (ogg_page_eos(&page)) ended = true;
                }
            }
        }
    }

    ok = ok && ended;
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return fclose(f) == 0 && ok;
}
