// The item texts, the shuffled order and the search strings that every list benchmark of this
// machine uses, so that our figures line up with those of the other toolkits measured beside us.
//
// Item i is "Item %05d " followed by a word of 4 to 12 ASCII letters. All words come from one
// xorshift32 stream (13, 17, 5) in index order: per item, length = 4 + next() % 9, then per letter
// c = next() % 52, giving 'a' + c below 26 and 'A' + (c - 26) otherwise. In index order the texts
// are already in ordinal order, so a sort of the shuffled texts must give back index order.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tavrin::bench {

constexpr int kItems = 32767;               // the largest list the control holds
constexpr uint32_t kTextSeed = 2463534242u; // seed of the word stream
constexpr uint32_t kShuffleSeed = 0x9E3779B9u;
constexpr const char* kMissNeedle = "zzqqzz"; // no generated text contains it

// Marsaglia's xorshift32. A zero seed would stay zero for ever, so it starts at 1 instead.
class XorShift32 {
  public:
    explicit XorShift32(uint32_t seed) : state_(seed ? seed : 1u) {}
    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

  private:
    uint32_t state_;
};

inline std::vector<std::string> makeTexts(int count = kItems, uint32_t seed = kTextSeed) {
    XorShift32 rng(seed);
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(count));
    char number[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(number, sizeof number, "Item %05d ", i);
        std::string text(number);
        uint32_t length = 4 + rng.next() % 9u;
        for (uint32_t k = 0; k < length; ++k) {
            uint32_t c = rng.next() % 52u;
            text.push_back(c < 26 ? static_cast<char>('a' + c) : static_cast<char>('A' + (c - 26)));
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

// A Fisher-Yates permutation of 0..count-1 from its own stream: for i from count-1 down to 1, swap
// entry i with entry next() % (i + 1). The ordering workloads add texts[order[k]] for k = 0, 1, ...
inline std::vector<int> makeShuffle(int count = kItems, uint32_t seed = kShuffleSeed) {
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[static_cast<size_t>(i)] = i;
    XorShift32 rng(seed);
    for (int i = count - 1; i >= 1; --i) {
        auto j = static_cast<size_t>(rng.next() % static_cast<uint32_t>(i + 1));
        std::swap(order[static_cast<size_t>(i)], order[j]);
    }
    return order;
}

inline std::string swapCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The last item's number, the space and the first letter of its word with its case swapped: only
// the last text holds it, and only when case is ignored. Empty when the last text is too short.
inline std::string hitLastNeedle(const std::vector<std::string>& texts) {
    if (texts.empty() || texts.back().size() < 12) return {};
    return swapCase(texts.back().substr(5, 7));
}

// The texts are ASCII, so widening each byte gives the UTF-16 text.
inline std::u16string widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace tavrin::bench
