#include "model/areadata.h"

namespace liquidus {

std::vector<TAreaData> MakeDefaultAreaList() {
    std::vector<TAreaData> list(kAreaCount);
    for (int i = 0; i < kAreaCount; ++i) {
        list[i].Name = "Identifier for Area" + std::to_string(i + 1);
    }
    return list;
}

}  // namespace liquidus
