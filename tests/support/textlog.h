#pragma once
// Records the texts a canvas writes, with their positions.

#include <algorithm>
#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace liquidus::test {

struct TTextRecord {
    int x = 0;
    int y = 0;
    std::string text;
};

class TTextLog {
public:
    explicit TTextLog(TCanvas& canvas) : m_canvas(canvas) {
        m_canvas.OnTextOut = [this](int x, int y, const std::string& text) {
            records.push_back({x, y, text});
        };
    }
    ~TTextLog() { m_canvas.OnTextOut = nullptr; }
    TTextLog(const TTextLog&) = delete;
    TTextLog& operator=(const TTextLog&) = delete;

    std::vector<TTextRecord> records;

    bool Contains(const std::string& text) const {
        return std::any_of(records.begin(), records.end(),
                           [&](const TTextRecord& r) { return r.text == text; });
    }
    const TTextRecord* Find(const std::string& text) const {
        for (const auto& r : records) {
            if (r.text == text) return &r;
        }
        return nullptr;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& r : records) out.push_back(r.text);
        return out;
    }

private:
    TCanvas& m_canvas;
};

}  // namespace liquidus::test
