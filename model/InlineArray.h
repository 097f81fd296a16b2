#pragma once
// A growable array of a trivially copyable type that keeps up to N elements
// inside itself and only more than that on the heap. The entity record holds
// its codes and values in these: a line's four of each then cost no heap
// block at all, which is most of what a drawing of a million lines holds.
// The interface is the part of std::vector the program uses; iterators are
// plain pointers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <vector>

template <class T, std::size_t N>
class InlineArray {
    static_assert(std::is_trivially_copyable_v<T>, "InlineArray holds plain values only");
    static_assert(N > 0 && N < UINT32_MAX, "inline room out of range");

public:
    using value_type = T;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    using reference = T&;
    using const_reference = const T&;
    using pointer = T*;
    using const_pointer = const T*;
    using iterator = T*;
    using const_iterator = const T*;

    InlineArray() noexcept {}
    InlineArray(std::initializer_list<T> items) { assign(items.begin(), items.end()); }
    InlineArray(size_type n, const T& v) { assign(n, v); }
    template <class It, class = decltype(*std::declval<It>())>
    InlineArray(It first, It last) { assign(first, last); }
    explicit InlineArray(const std::vector<T>& v) { assign(v.begin(), v.end()); }
    InlineArray(const InlineArray& other) { assign(other.begin(), other.end()); }
    InlineArray(InlineArray&& other) noexcept { Take(other); }
    ~InlineArray() { Release(); }

    InlineArray& operator=(const InlineArray& other)
    {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    InlineArray& operator=(InlineArray&& other) noexcept
    {
        if (this != &other) {
            Release();
            Take(other);
        }
        return *this;
    }
    InlineArray& operator=(std::initializer_list<T> items)
    {
        assign(items.begin(), items.end());
        return *this;
    }
    InlineArray& operator=(const std::vector<T>& v)
    {
        assign(v.begin(), v.end());
        return *this;
    }

    size_type size() const noexcept { return n; }
    bool empty() const noexcept { return n == 0; }
    size_type capacity() const noexcept { return cap; }
    T* data() noexcept { return OnHeap() ? heap : inl; }
    const T* data() const noexcept { return OnHeap() ? heap : inl; }
    iterator begin() noexcept { return data(); }
    iterator end() noexcept { return data() + n; }
    const_iterator begin() const noexcept { return data(); }
    const_iterator end() const noexcept { return data() + n; }
    const_iterator cbegin() const noexcept { return begin(); }
    const_iterator cend() const noexcept { return end(); }
    T& operator[](size_type i) noexcept { return data()[i]; }
    const T& operator[](size_type i) const noexcept { return data()[i]; }
    T& at(size_type i)
    {
        if (i >= n)
            throw std::out_of_range("InlineArray::at");
        return data()[i];
    }
    const T& at(size_type i) const
    {
        if (i >= n)
            throw std::out_of_range("InlineArray::at");
        return data()[i];
    }
    T& front() noexcept { return data()[0]; }
    const T& front() const noexcept { return data()[0]; }
    T& back() noexcept { return data()[n - 1]; }
    const T& back() const noexcept { return data()[n - 1]; }

    std::vector<T> ToVector() const { return std::vector<T>(begin(), end()); }

    void reserve(size_type want)
    {
        if (want <= cap)
            return;
        if (want > UINT32_MAX)
            throw std::length_error("InlineArray::reserve");
        T* block = static_cast<T*>(::operator new(want * sizeof(T)));
        if (n)
            std::memcpy(block, data(), n * sizeof(T));
        Release();
        heap = block;
        cap = static_cast<uint32_t>(want);
    }
    void clear() noexcept { n = 0; }
    void resize(size_type count) { resize(count, T()); }
    void resize(size_type count, const T& v)
    {
        if (count > n) {
            Grow(count);
            std::fill(data() + n, data() + count, v);
        }
        n = static_cast<uint32_t>(count);
    }
    void push_back(const T& v)
    {
        const T copy = v;  // v may live in this array
        Grow(size_type(n) + 1);
        data()[n++] = copy;
    }
    void pop_back() noexcept { --n; }

    void assign(size_type count, const T& v)
    {
        const T copy = v;
        n = 0;
        Grow(count);
        std::fill(data(), data() + count, copy);
        n = static_cast<uint32_t>(count);
    }
    void assign(std::initializer_list<T> items) { assign(items.begin(), items.end()); }
    template <class It, class = decltype(*std::declval<It>())>
    void assign(It first, It last)
    {
        const auto count = static_cast<size_type>(std::distance(first, last));
        if (count > cap) {
            // Copy out first: the source may be this array.
            std::vector<T> copy(first, last);
            n = 0;
            Grow(count);
            std::copy(copy.begin(), copy.end(), data());
        } else {
            std::copy(first, last, data());
        }
        n = static_cast<uint32_t>(count);
    }

    iterator insert(const_iterator pos, const T& v) { return insert(pos, size_type(1), v); }
    iterator insert(const_iterator pos, size_type count, const T& v)
    {
        const T copy = v;
        const size_type at = Offset(pos);
        OpenGap(at, count);
        std::fill(data() + at, data() + at + count, copy);
        return data() + at;
    }
    template <class It, class = decltype(*std::declval<It>())>
    iterator insert(const_iterator pos, It first, It last)
    {
        const size_type at = Offset(pos);
        const std::vector<T> copy(first, last);  // the source may be this array
        OpenGap(at, copy.size());
        std::copy(copy.begin(), copy.end(), data() + at);
        return data() + at;
    }
    iterator insert(const_iterator pos, std::initializer_list<T> items)
    {
        return insert(pos, items.begin(), items.end());
    }
    iterator erase(const_iterator pos) { return erase(pos, pos + 1); }
    iterator erase(const_iterator first, const_iterator last)
    {
        const size_type a = Offset(first), b = Offset(last);
        T* d = data();
        std::memmove(d + a, d + b, (n - b) * sizeof(T));
        n = static_cast<uint32_t>(n - (b - a));
        return d + a;
    }

    friend bool operator==(const InlineArray& a, const InlineArray& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const InlineArray& a, const std::vector<T>& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    bool OnHeap() const noexcept { return cap > N; }
    size_type Offset(const_iterator p) const noexcept { return static_cast<size_type>(p - data()); }
    void Grow(size_type want)
    {
        if (want > cap)
            reserve(std::max<size_type>(want, size_type(cap) * 2));
    }
    void OpenGap(size_type at, size_type count)
    {
        Grow(size_type(n) + count);
        T* d = data();
        std::memmove(d + at + count, d + at, (n - at) * sizeof(T));
        n = static_cast<uint32_t>(n + count);
    }
    void Release() noexcept
    {
        if (OnHeap())
            ::operator delete(heap);
        cap = N;
    }
    void Take(InlineArray& other) noexcept
    {
        if (other.OnHeap()) {
            heap = other.heap;
            cap = other.cap;
        } else {
            std::memcpy(inl, other.inl, other.n * sizeof(T));
            cap = N;
        }
        n = other.n;
        other.cap = N;
        other.n = 0;
    }

    union {
        T inl[N];
        T* heap;
    };
    uint32_t n = 0;
    uint32_t cap = N;
};
