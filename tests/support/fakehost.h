#pragma once
// A host that records what a control asks of its window.

#include <string>
#include <vector>

#include "canvas/control.h"

namespace liquidus::test {

class TFakeHost : public TControlHost {
public:
    int invalidations = 0;
    int screenChanges = 0;
    int processed = 0;
    std::vector<std::string> messages;
    std::vector<TCursor> cursors;

    void Invalidate() override { ++invalidations; }
    void ScreenChanged() override { ++screenChanges; }
    void SetCursor(TCursor cursor) override { cursors.push_back(cursor); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ProcessMessages() override { ++processed; }
    TColor SystemColor(TColor sysColor) const override { return DefaultSystemColor(sysColor); }

    void Reset() {
        invalidations = screenChanges = processed = 0;
        messages.clear();
        cursors.clear();
    }
};

}  // namespace liquidus::test
