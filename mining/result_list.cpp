#include "result_list.h"

#include <algorithm>

namespace mining {

ResultList::ResultList(int capacity) : capacity_(std::clamp(capacity, 1, kMaxEntries)) {}

bool ResultList::append(const QString& text) {
    if (isFull() || index_.contains(text)) return false;
    index_.insert(text, size());
    entries_.append(text);
    return true;
}

void ResultList::clear() {
    entries_.clear();
    index_.clear();
    ++generation_;
}

}  // namespace mining
