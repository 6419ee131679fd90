#pragma once
// A block of memory shared by every process of the program family on this
// machine (the "myKORMappedFile" block).
#include <cstddef>
#include <memory>
#include <string>

namespace orvane::platform {

// Name and size of the family's shared block.
inline constexpr const char* kSharedBlockName = "myKORMappedFile";
inline constexpr std::size_t kSharedBlockSize = 23680;

class SharedBlock {
public:
    virtual ~SharedBlock() = default;
    // Start of the block; valid and writable for the object's lifetime.
    virtual void* data() = 0;
    virtual std::size_t size() const = 0;
    // True while all size() bytes are backed. A block that another process
    // has cut short would crash the reader (SIGBUS) at the missing pages, so
    // every access checks this first and treats a false as "no block".
    virtual bool Intact() const { return true; }
};

// A private, zero-filled block on the heap: stands in for the shared one in
// tests, and several sessions of one process may share it.
class HeapSharedBlock : public SharedBlock {
public:
    explicit HeapSharedBlock(std::size_t size = kSharedBlockSize)
        : m_bytes(new unsigned char[size]()), m_size(size) {}
    void* data() override { return m_bytes.get(); }
    std::size_t size() const override { return m_size; }

private:
    std::unique_ptr<unsigned char[]> m_bytes;
    std::size_t m_size;
};

}  // namespace orvane::platform
