// Writes the alarm ring: two bell strikes, high then low, each fading out,
// as a 16-bit mono PCM WAV file. Played every 500 ms it makes the alarm's
// "ding-dong" pattern, so it lasts a little under that.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 0.42;

struct Strike {
    double start;      // seconds
    double frequency;  // Hz of the lowest partial
};

// A struck bell: a short attack, then partials that die away, the higher
// ones faster. The 2.76 partial is what makes it sound like metal.
double bell(double t, double frequency)
{
    if (t < 0)
        return 0;
    constexpr double kAttack = 0.003;
    const double attack = t < kAttack ? t / kAttack : 1.0;
    struct Partial {
        double ratio, level, decay;
    };
    constexpr Partial partials[] = {{1.0, 1.0, 9.0}, {2.0, 0.45, 14.0}, {2.76, 0.3, 22.0}, {5.4, 0.12, 35.0}};
    double sum = 0;
    for (const Partial& p : partials)
        sum += p.level * std::exp(-p.decay * t) * std::sin(2 * std::numbers::pi * p.ratio * frequency * t);
    return attack * sum;
}

void put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

std::string ringWav()
{
    constexpr Strike strikes[] = {{0.0, 1568.0}, {0.18, 1244.5}};  // G6, then D#6
    const int count = static_cast<int>(kSeconds * kRate);
    std::vector<double> wave(count);
    double peak = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        for (const Strike& s : strikes)
            wave[i] += bell(t - s.start, s.frequency);
        // The last 15 ms fade to nothing, so the ring ends without a click.
        wave[i] *= std::min(1.0, (kSeconds - t) / 0.015);
        peak = std::max(peak, std::abs(wave[i]));
    }

    constexpr unsigned kBytesPerSample = 2;
    const std::uint32_t dataSize = count * kBytesPerSample;
    std::string out;
    out += "RIFF";
    put32(out, 36 + dataSize);
    out += "WAVEfmt ";
    put32(out, 16);  // size of the format chunk
    put16(out, 1);   // PCM
    put16(out, 1);   // mono
    put32(out, kRate);
    put32(out, kRate * kBytesPerSample);
    put16(out, kBytesPerSample);
    put16(out, 16);
    out += "data";
    put32(out, dataSize);
    const double scale = 0.7 * 32767 / peak;  // about 3 dB below full scale
    for (double v : wave)
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * scale))));
    return out;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.wav>\n", argv[0]);
        return 2;
    }
    const std::string wav = ringWav();
    std::FILE* file = std::fopen(argv[1], "wb");
    const bool written = file && std::fwrite(wav.data(), 1, wav.size(), file) == wav.size();
    if (!file || std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
