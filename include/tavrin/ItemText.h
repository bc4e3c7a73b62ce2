// The text of one item: UTF-16, kept inside the item itself when it is short (the usual case: a
// list of 32767 items then needs no allocation per item and frees in one go), on the heap when it
// is long. Compares ordinally, code unit by code unit, like the texts it stands for.
#pragma once

#include <compare>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tavrin {

class ItemText {
  public:
    ItemText() noexcept : size_(0) {}
    ItemText(std::u16string_view text) : size_(0) { assign(text); } // NOLINT: texts convert freely
    ItemText(const ItemText& other) : size_(0) { assign(other.view()); }
    ItemText(ItemText&& other) noexcept : size_(0) { take(other); }
    ~ItemText() { release(); }

    ItemText& operator=(const ItemText& other) {
        if (this != &other) assign(other.view());
        return *this;
    }
    ItemText& operator=(ItemText&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ItemText& operator=(std::u16string_view text) {
        assign(text);
        return *this;
    }

    const char16_t* data() const noexcept { return onHeap() ? heap() : inline_; }
    size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    char16_t operator[](size_t i) const noexcept { return data()[i]; }
    std::u16string_view view() const noexcept { return {data(), size_}; }
    operator std::u16string_view() const noexcept { return view(); } // NOLINT: read as a view anywhere
    std::u16string str() const { return std::u16string(view()); }

    friend bool operator==(const ItemText& a, const ItemText& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const ItemText& a, std::u16string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const ItemText& a, const ItemText& b) noexcept {
        return a.view() <=> b.view();
    }

  private:
    // Code units kept in place: 48 bytes. The heap pointer of a long text is kept in the same bytes
    // (copied in and out, so the text needs no 8-byte alignment), which makes a text 52 bytes and an
    // item with its two image numbers 56, without padding.
    static constexpr size_t kInline = 24;

    bool onHeap() const noexcept { return size_ > kInline; }
    char16_t* heap() const noexcept {
        char16_t* p;
        std::memcpy(&p, inline_, sizeof p);
        return p;
    }
    void setHeap(char16_t* p) noexcept { std::memcpy(inline_, &p, sizeof p); }

    void assign(std::u16string_view text);
    void take(ItemText& other) noexcept {
        size_ = other.size_;
        std::memcpy(inline_, other.inline_, onHeap() ? sizeof(char16_t*) : size_ * sizeof(char16_t));
        other.size_ = 0;
    }
    void release() noexcept {
        if (onHeap()) delete[] heap();
        size_ = 0;
    }

    char16_t inline_[kInline];
    uint32_t size_;
};

static_assert(sizeof(char16_t*) <= sizeof(char16_t) * 24);

} // namespace tavrin
