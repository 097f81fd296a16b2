#pragma once
// A string field of the entity record that costs one pointer while empty:
// only texts and images carry strings, and a drawing of a million lines
// should not pay for two empty std::strings in every record. It reads as a
// `const std::string&` (an empty one when nothing is held) and takes
// assignments of anything a string takes.

#include <memory>
#include <string>
#include <string_view>
#include <utility>

class EntityString {
public:
    EntityString() noexcept = default;
    EntityString(const std::string& s) { Set(s); }
    EntityString(std::string&& s) { Set(std::move(s)); }
    EntityString(std::string_view s) { Set(std::string(s)); }
    EntityString(const char* s) { Set(std::string(s)); }
    EntityString(const EntityString& other) : EntityString(other.str()) {}
    EntityString(EntityString&&) noexcept = default;
    ~EntityString() = default;

    EntityString& operator=(const EntityString& other)
    {
        if (this != &other)
            Set(other.str());
        return *this;
    }
    EntityString& operator=(EntityString&&) noexcept = default;
    EntityString& operator=(const std::string& s)
    {
        Set(s);
        return *this;
    }
    EntityString& operator=(std::string&& s)
    {
        Set(std::move(s));
        return *this;
    }
    EntityString& operator=(std::string_view s)
    {
        Set(std::string(s));
        return *this;
    }
    EntityString& operator=(const char* s)
    {
        Set(std::string(s));
        return *this;
    }

    const std::string& str() const noexcept { return held ? *held : Empty(); }
    operator const std::string&() const noexcept { return str(); }
    operator std::string_view() const noexcept { return str(); }
    const char* c_str() const noexcept { return str().c_str(); }
    const char* data() const noexcept { return str().data(); }
    std::size_t size() const noexcept { return held ? held->size() : 0; }
    std::size_t length() const noexcept { return size(); }
    bool empty() const noexcept { return size() == 0; }
    std::string::const_iterator begin() const noexcept { return str().begin(); }
    std::string::const_iterator end() const noexcept { return str().end(); }
    char operator[](std::size_t i) const noexcept { return str()[i]; }
    std::string substr(std::size_t pos, std::size_t count = std::string::npos) const
    {
        return str().substr(pos, count);
    }
    std::size_t find(std::string_view s, std::size_t pos = 0) const noexcept { return str().find(s, pos); }
    std::size_t find(char c, std::size_t pos = 0) const noexcept { return str().find(c, pos); }
    void clear() noexcept { held.reset(); }
    void assign(std::string_view s) { Set(std::string(s)); }
    template <class It>
    void assign(It first, It last)
    {
        Set(std::string(first, last));
    }
    EntityString& operator+=(std::string_view s)
    {
        std::string joined = str();
        joined += s;
        Set(std::move(joined));
        return *this;
    }

    friend bool operator==(const EntityString& a, const EntityString& b) noexcept { return a.str() == b.str(); }
    friend bool operator==(const EntityString& a, std::string_view b) noexcept { return a.str() == b; }
    friend bool operator==(const EntityString& a, const std::string& b) noexcept { return a.str() == b; }
    friend bool operator==(const EntityString& a, const char* b) noexcept { return a.str() == b; }
    friend std::string operator+(const EntityString& a, std::string_view b)
    {
        std::string s = a.str();
        s += b;
        return s;
    }
    friend std::string operator+(std::string_view a, const EntityString& b)
    {
        std::string s(a);
        s += b.str();
        return s;
    }

private:
    static const std::string& Empty() noexcept
    {
        static const std::string empty;
        return empty;
    }
    void Set(std::string s)
    {
        if (s.empty())
            held.reset();
        else if (held)
            *held = std::move(s);
        else
            held = std::make_unique<std::string>(std::move(s));
    }

    std::unique_ptr<std::string> held;
};
