#include "isotherms/isotherm.h"

#include <algorithm>
#include <cmath>

#include "canvas/rounding.h"

namespace liquidus {

void TIsotherm::Changed(bool clearsCalculated) {
    if (clearsCalculated) {
        Calculated = false;
    }
    if (m_owner != nullptr) {
        m_owner->Invalidate();
    }
}

void TIsotherm::SetColor(TColor value) {
    if (value == m_color) return;
    m_color = value;
    Changed(false);
}

void TIsotherm::SetError(int value) {
    if (value == m_error) return;
    m_error = std::clamp(value, 1, 10);
    Changed(true);
}

void TIsotherm::SetGraphType(TIsothermType value) {
    if (value == m_graphType) return;
    m_graphType = value;
    Changed(false);
}

void TIsotherm::SetMethod(TIsothermMethod value) {
    if (value == m_method) return;
    m_method = value;
    Changed(true);
}

void TIsotherm::SetMethodStep(float value) {
    if (value == m_methodStep) return;
    if (value < 0.25f) {
        m_methodStep = 0.25f;
    } else if (value > 3.0f) {
        m_methodStep = 3.0f;
    } else {
        m_methodStep = static_cast<float>(Trunc(value / 0.25) * 0.25);
    }
    Changed(true);
}

void TIsotherm::SetSigned(bool value) {
    if (value == m_signed) return;
    m_signed = value;
    Changed(false);
}

void TIsotherm::SetSignStep(int value) {
    if (value == m_signStep) return;
    m_signStep = value < 5 ? 5 : value > 50 ? 50 : Trunc(value / 5.0) * 5;
    Changed(false);
}

void TIsotherm::SetSimplified(bool value) {
    if (value == m_simplified) return;
    m_simplified = value;
    Changed(true);
}

void TIsotherm::SetSimplifiedTimes(int value) {
    if (value == m_simplifiedTimes) return;
    m_simplifiedTimes = std::clamp(value, 1, 3);
    Changed(true);
}

void TIsotherm::SetSmoothed(bool value) {
    if (value == m_smoothed) return;
    m_smoothed = value;
    Changed(true);
}

void TIsotherm::SetSmoothedTimes(int value) {
    if (value == m_smoothedTimes) return;
    m_smoothedTimes = std::clamp(value, 1, 5);
    Changed(true);
}

void TIsotherm::SetStep(int value) {
    if (value == m_step) return;
    m_step = value < 50 ? 50 : value > 250 ? 250 : Trunc(value / 50.0) * 50;
    Changed(false);
}

void TIsotherm::SetWidth(int value) {
    if (value == m_width) return;
    m_width = value;
    Changed(false);
}

}  // namespace liquidus
