#pragma once

#include <string>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime/utf8.h"
#include "solver/yadro.h"

// Words that the course of a solve writes alike as text and as steps.
namespace course_words {

inline std::u16string index(int i)
{
    return platform::utf16(std::to_string(i));
}

// A cell, or a rotation, as "(i,j)": no blank after the comma, so that it
// never reads as a decimal comma.
inline std::u16string cell(int i, int j)
{
    return u"(" + index(i) + u"," + index(j) + u")";
}

// How a rotation is made, as its heading says.
inline std::u16string branch(RotationObserver::Branch branch)
{
    switch (branch) {
    case RotationObserver::Branch::ZeroPivot:
        return u"e = 0, вращение на 90°.";
    case RotationObserver::Branch::CellNotSmaller:
        return u"|d| ≥ |e|, m = e/d.";
    case RotationObserver::Branch::CellSmaller:
        break;
    }
    return u"|d| < |e|, m = d/e.";
}

// What stopped a solve, as the middle of a sentence: "переполнение".
inline std::u16string stopped(const platform::RuntimeError& error)
{
    std::u16string words = platform::utf16(error.description());
    if (!words.empty() && words[0] >= u'А' && words[0] <= u'Я')
        words[0] = static_cast<char16_t>(words[0] + (u'а' - u'А'));
    return words;
}

// The sentences the course writes alike as text and as steps, the numbers
// written by the caller's rules.
inline std::u16string systemHeading(int n, const std::u16string& threshold)
{
    return u"Система, как она введена: неизвестных " + index(n) + u"; порог ведущего элемента " + threshold + u".";
}

inline const std::u16string SystemLegend = u"Строка — уравнение, столбец — неизвестное, b — правая часть:";

inline std::u16string rotationHeading(int i, int j, RotationObserver::Branch how)
{
    return u"Вращение " + cell(i, j) + u": " + branch(how);
}

inline std::u16string noRotation(int i, int j)
{
    return u"Вращение " + cell(i, j) + u": d = 0, вращение не нужно.";
}

inline std::u16string figure(const std::u16string& written)
{
    return u"Погрешность вычислений (%): " + written;
}

inline std::u16string stop(const platform::RuntimeError& error)
{
    return u"Вычисление остановлено: " + stopped(error) + u".";
}

}  // namespace course_words
