#pragma once
#include "dialogkit/Win32.h"

#include <utility>

namespace dialogkit {

// A movable global memory block (GlobalAlloc), as the common dialogs hand
// them out, freed with GlobalFree when its holder goes.
class GlobalHandle {
public:
    GlobalHandle() = default;
    ~GlobalHandle() { Free(); }
    GlobalHandle(const GlobalHandle&) = delete;
    GlobalHandle& operator=(const GlobalHandle&) = delete;
    HGLOBAL Get() const { return m_h; }
    // Holds what a dialog handed back for the block it was given: the
    // dialog has kept that block, or freed it and made another.
    void Adopt(HGLOBAL h) { m_h = h; }
    // Frees the block held.
    void Free() {
        if (m_h) ::GlobalFree(m_h);
        m_h = nullptr;
    }

private:
    HGLOBAL m_h = nullptr;
};

}  // namespace dialogkit
