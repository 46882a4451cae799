#include "model/plotcore.h"

namespace liquidus {

void TSubstance::SetName(const std::string& value) {
    if (value == m_name) {
        return;
    }
    m_name = value;
    if (m_owner != nullptr) {
        if (!m_owner->PlotZoomed()) {
            BaseName = value;
        }
        m_owner->Invalidate();
    }
}

}  // namespace liquidus
