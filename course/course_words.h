#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "documents/solve_document.h"

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

// An equation as it is written by hand: "3·Х1 + 4·Х2 = 7", the numbers
// written as the caller writes them.
inline std::u16string equation(const SolveDocument& solve, int i, const std::function<std::u16string(double)>& number)
{
    std::u16string written;
    for (int j = 1; j <= solve.n; ++j) {
        const double value = solve.a(i, j).value();
        if (j == 1)
            written = number(value);
        else
            written += (std::signbit(value) ? u" − " : u" + ") + number(std::abs(value));
        written += u"·Х" + index(j);
    }
    return written + u" = " + number(solve.b(i).value());
}

// The sentences the course writes alike as text and as steps, the numbers
// written by the caller's rules.
inline std::u16string systemHeading(int n, const std::u16string& threshold)
{
    return u"Система, как она введена: неизвестных " + index(n) + u"; порог ведущего элемента " + threshold + u".";
}

inline const std::u16string SystemLegend = u"Строка — уравнение, столбец — неизвестное, b — правая часть:";

// The legends of the method's three parts, as the course writes them
// before each and practice shows them before its first value.
inline std::vector<std::u16string> rotationLegend()
{
    return {u"Вращения столбцов, строка за строкой. Вращение (i,j) поворачивает столбцы i и j",
            u"так, что клетка A(i,j) справа от диагонали становится нулём:",
            u"  d = A(i,j) — обнуляемая клетка; e = A(i,i) — ведущий элемент строки i;",
            u"  при d = 0 вращение не нужно, и в клетке остаётся t = 0;",
            u"  при e = 0 — вращение на 90°: t = 1; p = d;",
            u"  при |d| ≥ |e|: m = e/d; t = ±1/(|m| + √(m² + 1)) со знаком m;",
            u"                 p = ±|d|·√(m² + 1) со знаком e;",
            u"  при |d| < |e|: m = d/e; t = m/(1 + √(m² + 1)); p = e·√(m² + 1);",
            u"  c = (1 − t²)/(1 + t²); s = 2t/(1 + t²); t — тангенс половины угла вращения.",
            u"p становится новым A(i,i), t записывается в клетку A(i,j), а в каждой",
            u"строке k ниже i из прежних значений:",
            u"  A(k,i) := s·A(k,j) + c·A(k,i); A(k,j) := c·A(k,j) − s·A(k,i)."};
}

inline std::vector<std::u16string> substitutionLegend(const std::u16string& threshold)
{
    return {u"Прямая подстановка L·y = b: y(j) = (b(j) − Σ L(j,k)·y(k))/L(j,j), k < j;",
            u"каждый ведущий элемент L(j,j) сравнивается по модулю с порогом " + threshold + u":"};
}

inline std::vector<std::u16string> backRotationLegend()
{
    return {u"Обратные вращения, в обратном порядке: x = G1·G2·…·y. Для вращения (i,j)",
            u"t берётся из клетки A(i,j); c = (1 − t²)/(1 + t²); s = 2t/(1 + t²);",
            u"из прежних значений x(i) := c·x(i) − s·x(j); x(j) := s·x(i) + c·x(j):"};
}

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
