#pragma once
// A text that most objects of a kind leave empty: one pointer wide until it holds something.
// It reads as a std::string.

#include <memory>
#include <string>
#include <string_view>

namespace pw {

class SparseText {
public:
    SparseText() = default;
    SparseText(std::string text) { *this = std::move(text); }
    SparseText(const char* text) { *this = std::string(text); }
    SparseText(const SparseText& other) { *this = other.str(); }
    SparseText(SparseText&&) noexcept = default;
    SparseText& operator=(const SparseText& other) {
        if (this != &other)
            *this = other.str();
        return *this;
    }
    SparseText& operator=(SparseText&&) noexcept = default;
    SparseText& operator=(std::string text) {
        if (text.empty())
            text_.reset();
        else if (text_)
            *text_ = std::move(text);
        else
            text_ = std::make_unique<std::string>(std::move(text));
        return *this;
    }
    SparseText& operator=(const char* text) { return *this = std::string(text); }

    const std::string& str() const { return text_ ? *text_ : Empty(); }
    operator const std::string&() const { return str(); }
    bool empty() const { return !text_ || text_->empty(); }
    size_t size() const { return text_ ? text_->size() : 0; }
    const char* c_str() const { return str().c_str(); }

    friend bool operator==(const SparseText& a, std::string_view b) { return a.str() == b; }

private:
    static const std::string& Empty() {
        static const std::string empty;
        return empty;
    }
    std::unique_ptr<std::string> text_;
};

} // namespace pw
