#include "model/MemoryBuffer.h"

namespace kadenza {

// The get area points into the bytes; nothing is ever written through it.
MemoryBuffer::MemoryBuffer(const std::string& bytes) {
    char* begin = const_cast<char*>(bytes.data());
    setg(begin, begin, begin + bytes.size());
}

MemoryBuffer::pos_type MemoryBuffer::seekoff(off_type offset, std::ios_base::seekdir way,
                                             std::ios_base::openmode which) {
    const off_type size = egptr() - eback();
    off_type base = size;
    if (way == std::ios_base::beg) {
        base = 0;
    } else if (way == std::ios_base::cur) {
        base = gptr() - eback();
    }
    const off_type target = base + offset;
    if (!(which & std::ios_base::in) || target < 0 || target > size) {
        return pos_type(off_type(-1));
    }
    setg(eback(), eback() + target, egptr());
    return pos_type(target);
}

MemoryBuffer::pos_type MemoryBuffer::seekpos(pos_type position, std::ios_base::openmode which) {
    return seekoff(off_type(position), std::ios_base::beg, which);
}

}  // namespace kadenza
