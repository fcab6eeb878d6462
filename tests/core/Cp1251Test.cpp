#include "core/Cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, RussianTextRoundTripsThroughSingleBytes) {
    const QString text = QStringLiteral("Кластер №1 ёЁ");
    const QByteArray bytes = kalver::toCp1251(text);
    EXPECT_EQ(bytes, QByteArray("\xCA\xEB\xE0\xF1\xF2\xE5\xF0 \xB9" "1 \xB8\xA8"));
    EXPECT_EQ(kalver::fromCp1251(bytes), text);
}

TEST(Cp1251, EveryByteDecodesToOneCharacter) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(kalver::fromCp1251(all).size(), all.size());
}
