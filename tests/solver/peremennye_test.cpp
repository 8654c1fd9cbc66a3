#include <gtest/gtest.h>

#include "solver/peremennye.h"

namespace {

TEST(SharedState, StartsWithEverythingZero)
{
    const Peremennye state;
    EXPECT_TRUE(state.kol_neizv.empty());
    EXPECT_FALSE(state.est_resh);
    EXPECT_EQ(state.tochnost, 0.0);
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(state.x_resh(i).value(), 0.0);
        EXPECT_EQ(state.otvety_kopiya(i).value(), 0.0);
        for (int j = 0; j <= 8; ++j)
            EXPECT_EQ(state.matr_kopiya(i, j).value(), 0.0);
        for (int j = 0; j <= 9; ++j)
            EXPECT_EQ(state.matr_rassh(i, j).value(), 0.0);
    }
}

int errorNumberOf(auto&& access)
{
    try {
        access();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(SharedState, EveryIndexOutsideTheDeclaredRangesIsASubscriptError)
{
    Peremennye state;
    constexpr int subscript = platform::error::SubscriptOutOfRange;
    EXPECT_EQ(errorNumberOf([&] { state.matr_rassh(8, 9) = 1.0; }), 0);
    EXPECT_EQ(errorNumberOf([&] { state.matr_rassh(9, 1); }), subscript);
    EXPECT_EQ(errorNumberOf([&] { state.matr_rassh(1, 10); }), subscript);
    EXPECT_EQ(errorNumberOf([&] { state.matr_rassh(-1, 1); }), subscript);
    EXPECT_EQ(errorNumberOf([&] { state.matr_kopiya(8, 8) = 1.0; }), 0);
    EXPECT_EQ(errorNumberOf([&] { state.matr_kopiya(1, 9); }), subscript);
    EXPECT_EQ(errorNumberOf([&] { state.otvety_kopiya(9); }), subscript);
    EXPECT_EQ(errorNumberOf([&] { state.x_resh(-1); }), subscript);
    EXPECT_EQ(errorNumberOf([&] { state.x_resh(8) = 2.0; }), 0);
}

TEST(SharedState, CountOfUnknownsIsConvertedWhenItIsRead)
{
    EXPECT_EQ(unknownCount(u"2"), 2);
    EXPECT_EQ(unknownCount(u"8"), 8);
    EXPECT_EQ(unknownCount(u"2.5"), 2);  // halves to even, as the runtime rounds
    EXPECT_EQ(errorNumberOf([] { unknownCount(u""); }), platform::error::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { unknownCount(u"%"); }), platform::error::TypeMismatch);
    EXPECT_EQ(errorNumberOf([] { unknownCount(u"256"); }), platform::error::Overflow);
}

}  // namespace
