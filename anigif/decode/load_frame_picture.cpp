#include "decode/load_frame_picture.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace anigif {

namespace {

struct MemorySource {
    std::span<const std::uint8_t> bytes;
    std::size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* src = static_cast<MemorySource*>(gif->UserData);
    if (length <= 0) return 0;
    const std::size_t n = std::min(static_cast<std::size_t>(length), src->bytes.size() - src->pos);
    if (n > 0) std::memcpy(out, src->bytes.data() + src->pos, n);
    src->pos += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

bool SkipExtension(GifFileType* gif) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

// Display row of the n-th row in stream order.
int DisplayRow(int n, int height, bool interlaced) {
    if (!interlaced) return n;
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows =
            height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (n < rows) return kStart[pass] + n * kStep[pass];
        n -= rows;
    }
    return -1;
}

bool DecodeImage(GifFileType* gif, FrameStrip& strip, std::size_t column) {
    const int width = gif->Image.Width;
    const int height = gif->Image.Height;
    if (width <= 0 || height <= 0) return true;  // nothing to draw
    if (width != strip.ColumnWidth(column) || height != strip.ColumnHeight(column)) return false;
    for (int n = 0; n < height; ++n) {
        const int y = DisplayRow(n, height, gif->Image.Interlace);
        if (y < 0) return false;
        std::uint8_t* row = strip.ColumnRow(column, y);
        if (DGifGetLine(gif, row, width) == GIF_ERROR) {
            std::fill_n(row, width, 0);  // a row cut short is not kept half-decoded
            return false;
        }
    }
    return true;
}

}  // namespace

bool LoadFramePicture(std::span<const std::uint8_t> gif, FrameStrip& strip, std::size_t column) {
    if (column >= strip.ColumnCount()) return false;
    MemorySource source{gif};
    int error = 0;
    GifHandle handle(DGifOpen(&source, ReadFromMemory, &error));
    if (!handle) return false;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(handle.get(), &type) == GIF_ERROR) return false;
        switch (type) {
            case EXTENSION_RECORD_TYPE:
                if (!SkipExtension(handle.get())) return false;
                break;
            case IMAGE_DESC_RECORD_TYPE:
                if (DGifGetImageDesc(handle.get()) == GIF_ERROR) return false;
                return DecodeImage(handle.get(), strip, column);
            default:
                return false;
        }
    }
}

}  // namespace anigif
