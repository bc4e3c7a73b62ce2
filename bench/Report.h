// Timing statistics, resident-set readings and the one-line JSON records that the side-by-side
// comparison reads: one flat object per workload, keys in a fixed order, numbers with three
// decimals.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace tavrin::bench {

using Clock = std::chrono::steady_clock;

inline double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct Stats {
    size_t count = 0;
    double median = 0, min = 0, max = 0, mean = 0;
};

// The median of an even count is the mean of the two middle samples; no samples give all zeros.
inline Stats summarize(std::vector<double> samples) {
    Stats s;
    s.count = samples.size();
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    s.min = samples.front();
    s.max = samples.back();
    size_t mid = samples.size() / 2;
    s.median = samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2.0;
    double sum = 0;
    for (double x : samples)
        sum += x;
    s.mean = sum / static_cast<double>(samples.size());
    return s;
}

// Resident set size in bytes (second field of /proc/self/statm, in pages); -1 when unreadable.
inline long residentBytes() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return -1;
    long size = 0, resident = 0;
    int got = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return got == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

inline std::string jsonEscape(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

// One flat JSON object; keys keep the order they were added in.
class JsonLine {
  public:
    JsonLine& text(const char* key, const std::string& value) {
        key_(key);
        body_ += '"' + jsonEscape(value) + '"';
        return *this;
    }
    JsonLine& number(const char* key, double value) {
        key_(key);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.3f", value);
        body_ += buf;
        return *this;
    }
    JsonLine& integer(const char* key, long long value) {
        key_(key);
        body_ += std::to_string(value);
        return *this;
    }
    std::string str() const { return "{" + body_ + "}"; }

  private:
    void key_(const char* key) {
        if (!body_.empty()) body_ += ',';
        body_ += '"' + jsonEscape(key) + "\":";
    }
    std::string body_;
};

// A timing record: each sample (microseconds) covers opsPerSample operations of kind perOp.
inline JsonLine timingLine(const std::string& peer, const std::string& workload,
                           const std::vector<double>& samples, long opsPerSample, const std::string& perOp,
                           const std::string& note) {
    Stats s = summarize(samples);
    double ops = opsPerSample > 0 ? static_cast<double>(opsPerSample) : 1.0;
    JsonLine line;
    line.text("peer", peer)
        .text("workload", workload)
        .integer("samples", static_cast<long long>(s.count))
        .integer("ops_per_sample", opsPerSample)
        .number("median_us", s.median)
        .number("min_us", s.min)
        .number("max_us", s.max)
        .number("mean_us", s.mean)
        .number("per_op_median_us", s.median / ops)
        .text("per_op", perOp)
        .text("note", note);
    return line;
}

// A result that is wrong means the timing measured the wrong thing: say what and stop with 3, the
// status the comparison script reads as a failed self-check.
inline void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "self-check failed: %s\n", what);
    std::exit(3);
}

} // namespace tavrin::bench
