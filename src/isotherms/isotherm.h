#pragma once
// Settings of the isotherm calculation and drawing, published by the ternary
// diagram as one object. Each setter clamps its value, drops the calculated
// level lists when they depend on it, and repaints the owner.

#include "canvas/tcolor.h"
#include "model/plotcore.h"

namespace liquidus {

enum class TIsothermType { itPoints, itPolyline, itSpline };
enum class TIsothermMethod { imCornerConsecutive, imCenterRadial };

class TIsotherm {
public:
    TIsotherm() = default;
    TIsotherm(const TIsotherm&) = delete;
    TIsotherm& operator=(const TIsotherm&) = delete;
    virtual ~TIsotherm() = default;

    void SetOwner(TPlotOwner* owner) { m_owner = owner; }

    TColor Color() const { return m_color; }
    virtual void SetColor(TColor value);
    int Error() const { return m_error; }
    virtual void SetError(int value);
    TIsothermType GraphType() const { return m_graphType; }
    virtual void SetGraphType(TIsothermType value);
    TIsothermMethod Method() const { return m_method; }
    virtual void SetMethod(TIsothermMethod value);
    float MethodStep() const { return m_methodStep; }
    virtual void SetMethodStep(float value);
    bool Signed() const { return m_signed; }
    virtual void SetSigned(bool value);
    int SignStep() const { return m_signStep; }
    virtual void SetSignStep(int value);
    bool Simplified() const { return m_simplified; }
    virtual void SetSimplified(bool value);
    int SimplifiedTimes() const { return m_simplifiedTimes; }
    virtual void SetSimplifiedTimes(int value);
    bool Smoothed() const { return m_smoothed; }
    virtual void SetSmoothed(bool value);
    int SmoothedTimes() const { return m_smoothedTimes; }
    virtual void SetSmoothedTimes(int value);
    int Step() const { return m_step; }
    virtual void SetStep(int value);
    int Width() const { return m_width; }
    virtual void SetWidth(int value);

    /// The owner's level lists are valid.
    bool Calculated = false;
    int MinLevel = 0;
    int MaxLevel = 0;
    int LevelCount = 0;

private:
    void Changed(bool clearsCalculated);

    TPlotOwner* m_owner = nullptr;
    TColor m_color = 0x008080;  // olive
    int m_error = 2;
    TIsothermType m_graphType = TIsothermType::itPoints;
    TIsothermMethod m_method = TIsothermMethod::imCornerConsecutive;
    float m_methodStep = 1.0f;
    bool m_signed = true;
    int m_signStep = 10;
    bool m_simplified = false;
    int m_simplifiedTimes = 1;
    bool m_smoothed = true;
    int m_smoothedTimes = 3;
    int m_step = 100;
    int m_width = 2;
};

}  // namespace liquidus
