// The string builder: pieces in blocks that grow quadratically, assembled once on demand.

#include <climits>

#include "util/strings.h"

namespace pw {

namespace {

// The total length a builder never reaches: a piece that would bring the total to it or beyond
// is ignored, so the assembled text always fits an int-sized length.
constexpr size_t kLengthLimit = static_cast<size_t>(INT_MAX);

} // namespace

void ThvStringBuilder::Append(std::string_view piece) {
    if (piece.size() >= kLengthLimit - totalLength_)
        return;
    if (blocks_.empty() || blocks_.back().pieces.size() == blocks_.back().capacity) {
        size_t n = blocks_.size();
        Block block;
        block.capacity = 2 * n * n + 8;
        block.pieces.reserve(block.capacity);
        blocks_.push_back(std::move(block));
    }
    blocks_.back().pieces.emplace_back(piece);
    totalLength_ += piece.size();
}

const std::string& ThvStringBuilder::GetText(bool refresh) {
    if (refresh || !assembled_) {
        std::string text;
        text.reserve(totalLength_);
        for (const Block& block : blocks_)
            for (const std::string& piece : block.pieces)
                text.append(piece);
        text_ = std::move(text);
        assembled_ = true;
    }
    return text_;
}

} // namespace pw
