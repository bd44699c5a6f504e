#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace mining {

// The ordered, duplicate-free keyword list of a run. The hash answers the duplicate test in
// constant time; the comparison stays the exact, case-sensitive text comparison.
class ResultList {
  public:
    // Counts and indexes of the list are 16-bit signed.
    static constexpr int kMaxEntries = 32767;

    // A smaller capacity ends a run early (the headless --limit); it is kept within 1..kMaxEntries.
    explicit ResultList(int capacity = kMaxEntries);

    int capacity() const { return capacity_; }
    int size() const { return static_cast<int>(entries_.size()); }
    bool isEmpty() const { return entries_.isEmpty(); }
    bool isFull() const { return size() >= capacity_; }
    const QString& at(int i) const { return entries_.at(i); }
    // The entry at i, or the empty text when there is none.
    QString value(int i) const { return entries_.value(i); }
    bool contains(const QString& text) const { return index_.contains(text); }
    // The position of a listed text, or -1.
    int indexOf(const QString& text) const { return index_.value(text, -1); }
    const QStringList& entries() const { return entries_; }

    // Appends a text that is not yet listed; false when it is listed already or the list is full.
    bool append(const QString& text);
    void clear();

    // Changes whenever entries are removed, so a writer can tell a pure append from a new list.
    std::uint64_t generation() const { return generation_; }

  private:
    QStringList entries_;
    QHash<QString, int> index_;
    std::uint64_t generation_ = 0;
    int capacity_;
};

}  // namespace mining
