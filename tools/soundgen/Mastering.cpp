#include "tools/soundgen/Mastering.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace soundgen {
namespace {

double Rms(const Mix& mix) {
    double sum = 0.0;
    for (std::size_t i = 0; i < mix.Size(); ++i) {
        sum += mix.left[i] * mix.left[i] + mix.right[i] * mix.right[i];
    }
    return mix.Size() == 0 ? 0.0 : std::sqrt(sum / (2.0 * mix.Size()));
}

void Scale(Mix& mix, float gain) {
    for (std::size_t i = 0; i < mix.Size(); ++i) {
        mix.left[i] *= gain;
        mix.right[i] *= gain;
    }
}

// Linear below the knee, then bends smoothly towards the ceiling.
float Limit(float x, float knee, float ceiling) {
    float a = std::fabs(x);
    if (a <= knee) {
        return x;
    }
    float room = ceiling - knee;
    float y = knee + room * std::tanh((a - knee) / room);
    return x < 0.0f ? -y : y;
}

void WriteLe(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

void WrapLoop(Mix& mix, double seconds) {
    std::size_t n = static_cast<std::size_t>(seconds * kRate + 0.5);
    for (std::size_t i = n; i < mix.Size(); ++i) {
        mix.left[(i - n) % n] += mix.left[i];
        mix.right[(i - n) % n] += mix.right[i];
    }
    CutTo(mix, seconds);
}

void CutTo(Mix& mix, double seconds) {
    std::size_t n = static_cast<std::size_t>(seconds * kRate + 0.5);
    mix.left.resize(n, 0.0f);
    mix.right.resize(n, 0.0f);
}

Mix TapeStop(const Mix& mix, double endSpeed) {
    Mix out;
    double pos = 0.0;
    double total = static_cast<double>(mix.Size());
    while (pos + 1.0 < total) {
        auto i = static_cast<std::size_t>(pos);
        float frac = static_cast<float>(pos - static_cast<double>(i));
        out.left.push_back(mix.left[i] + frac * (mix.left[i + 1] - mix.left[i]));
        out.right.push_back(mix.right[i] + frac * (mix.right[i + 1] - mix.right[i]));
        pos += 1.0 - (1.0 - endSpeed) * (pos / total);
    }
    return out;
}

void Master(Mix& mix, double rmsDb, double ceilingDb) {
    float ceiling = static_cast<float>(std::pow(10.0, ceilingDb / 20.0));
    float knee = ceiling * 0.5f;
    // Limiting lowers the level a little; a second pass brings it back.
    for (int pass = 0; pass < 3; ++pass) {
        double rms = Rms(mix);
        if (rms <= 0.0) {
            return;
        }
        Scale(mix, static_cast<float>(std::pow(10.0, rmsDb / 20.0) / rms));
        for (std::size_t i = 0; i < mix.Size(); ++i) {
            mix.left[i] = Limit(mix.left[i], knee, ceiling);
            mix.right[i] = Limit(mix.right[i], knee, ceiling);
        }
    }
}

void Fade(Mix& mix, double inSeconds, double outSeconds) {
    auto fadeIn = static_cast<std::size_t>(inSeconds * kRate);
    auto fadeOut = static_cast<std::size_t>(outSeconds * kRate);
    for (std::size_t i = 0; i < mix.Size(); ++i) {
        float g = 1.0f;
        if (i < fadeIn) {
            g = static_cast<float>(i) / static_cast<float>(fadeIn);
        }
        std::size_t left = mix.Size() - i;
        if (left < fadeOut) {
            g *= static_cast<float>(left) / static_cast<float>(fadeOut);
        }
        mix.left[i] *= g;
        mix.right[i] *= g;
    }
}

bool WriteWav(const Mix& mix, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        return false;
    }
    auto dataBytes = static_cast<std::uint32_t>(mix.Size() * 4);
    out.write("RIFF", 4);
    WriteLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    WriteLe(out, 16, 4);
    WriteLe(out, 1, 2); // PCM
    WriteLe(out, 2, 2);
    WriteLe(out, kRate, 4);
    WriteLe(out, kRate * 4, 4);
    WriteLe(out, 4, 2);
    WriteLe(out, 16, 2);
    out.write("data", 4);
    WriteLe(out, dataBytes, 4);
    for (std::size_t i = 0; i < mix.Size(); ++i) {
        for (float v : {mix.left[i], mix.right[i]}) {
            long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
            WriteLe(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(s)), 2);
        }
    }
    return static_cast<bool>(out);
}

} // namespace soundgen
