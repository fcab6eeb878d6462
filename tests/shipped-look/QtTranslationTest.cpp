// Qt's own texts of the program's windows are Russian once the translation is installed: a real message
// box shown through the message seam names its buttons in Russian; without the translation file nothing
// is installed and the buttons keep Qt's English names.

#include "app/QtTranslation.h"
#include "core/MessageSeam.h"
#include "support/ModalBoxAnswerer.h"
#include "support/ScratchFolder.h"

#include <QApplication>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalver;

namespace {

// The button texts of one real box shown through the seam, in sorted order.
QStringList shownButtons(MessageButtons buttons) {
    test::ModalBoxAnswerer answerer;
    showMessage({QStringLiteral("Кластер не отвечает"), QStringLiteral("Повторить запрос?"), MessageIcon::Error,
                 buttons, QStringLiteral("e054")});
    if (answerer.boxes().size() != 1)
        return {QStringLiteral("boxes shown: %1").arg(answerer.boxes().size())};
    QStringList texts = answerer.boxes().front().buttons;
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Installs the translation for one test and takes it away again, so other tests see Qt's English.
class QtTranslationTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_translator) {
            QCoreApplication::removeTranslator(m_translator);
            delete m_translator;
        }
    }
    QTranslator* install(const QString& folder = QString()) {
        m_translator = app::installQtTranslation(*qApp, folder);
        return m_translator;
    }

private:
    QTranslator* m_translator = nullptr;
};

TEST_F(QtTranslationTest, MessageBoxButtonsAreRussian) {
    ASSERT_NE(install(), nullptr) << "qtbase_ru not found in Qt's translations folder";
    struct Case {
        MessageButtons buttons;
        QStringList expected; // sorted
    };
    const Case cases[] = {
        {MessageButtons::YesNo, {QStringLiteral("Да"), QStringLiteral("Нет")}},
        {MessageButtons::YesNoCancel, {QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")}},
        {MessageButtons::OkCancel, {QStringLiteral("OK"), QStringLiteral("Отмена")}},
    };
    for (const Case& c : cases) {
        QStringList expected = c.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shownButtons(c.buttons), expected);
    }
}

TEST_F(QtTranslationTest, WithoutTheTranslationFileTheButtonsStayEnglish) {
    test::ScratchFolder empty;
    EXPECT_EQ(install(empty.path()), nullptr);
    EXPECT_EQ(shownButtons(MessageButtons::YesNo), (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
}

} // namespace
