#include "mod_http.h"

namespace web {

namespace {
bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }
}  // namespace

bool IsUtf8(const QByteArray& body) {
    const auto n = body.size();
    if (n < 3) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(body.constData());
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return true;

    qsizetype i = 0;
    qsizetype ascii = 0;
    while (i <= n - 1) {
        if (b[i] < 0x80) {
            ++i;
            ++ascii;
        } else if ((b[i] & 0xE0) == 0xC0 && i + 1 < n && IsContinuation(b[i + 1])) {
            i += 2;
        } else if (b[i] >= 0xF0 && b[i] <= 0xF4 && i + 3 < n && IsContinuation(b[i + 1]) &&
                   IsContinuation(b[i + 2]) && IsContinuation(b[i + 3])) {
            // Four-byte sequences (emoji and the like) are UTF-8 too; without this one emoji
            // would make a whole UTF-8 page decode as GBK.
            i += 4;
        } else if (i + 2 < n) {
            if ((b[i] & 0xF0) == 0xE0 && IsContinuation(b[i + 1]) && IsContinuation(b[i + 2])) {
                i += 3;
            } else {
                return false;
            }
        } else {
            return false;
        }
    }
    return ascii != n;
}

}  // namespace web
