#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

// One growable block of plain cells, as a woven band keeps them row after row. It differs
// from a vector in how it grows: the block is enlarged in place (realloc), which for a block
// of many megabytes remaps its pages instead of copying them into a second block, so that a
// band that gains one pick neither holds twice its memory for a moment nor copies itself.
template <class Cell>
class TTWCellBlock {
    static_assert(std::is_trivially_copyable_v<Cell> && std::is_trivially_destructible_v<Cell>,
                  "cells are moved by copying their bytes and never destroyed one by one");

public:
    TTWCellBlock() = default;
    TTWCellBlock(const TTWCellBlock& other) { *this = other; }
    TTWCellBlock& operator=(const TTWCellBlock& other)
    {
        if (this != &other) {
            size_ = 0;
            Reserve(other.size_);
            if (other.size_ > 0) {
                std::memcpy(static_cast<void*>(cells_), other.cells_, other.size_ * sizeof(Cell));
            }
            size_ = other.size_;
        }
        return *this;
    }
    ~TTWCellBlock() { std::free(cells_); }

    Cell* data() { return cells_; }
    const Cell* data() const { return cells_; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }

    // Makes room for that many cells in all; the cells kept stay where their block puts them.
    void Reserve(std::size_t capacity)
    {
        if (capacity <= capacity_) {
            return;
        }
        void* grown = std::realloc(cells_, capacity * sizeof(Cell));
        if (grown == nullptr) {
            throw std::bad_alloc();
        }
        cells_ = static_cast<Cell*>(grown);
        capacity_ = capacity;
    }

    // Appends count cells made by make(index) for index 0..count-1 and answers the first.
    template <class Make>
    Cell* Append(std::size_t count, Make make)
    {
        Reserve(size_ + count);
        Cell* first = cells_ + size_;
        for (std::size_t i = 0; i < count; ++i) {
            ::new (static_cast<void*>(first + i)) Cell(make(i));
        }
        size_ += count;
        return first;
    }

    // Keeps the first count cells; the block keeps its size.
    void Shrink(std::size_t count)
    {
        if (count < size_) {
            size_ = count;
        }
    }

    void Clear() { size_ = 0; }

private:
    Cell* cells_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
