#include "core/mainentries.h"
#include "core/ui/themeicon.h"

#include <QPixmap>
#include <gtest/gtest.h>

namespace {

class ThemeIcon : public ::testing::Test {
protected:
    // The headless platform of the tests knows no icon folders and no theme; a desktop's
    // platform looks in the data folders, where Debian puts the themes, starting from hicolor.
    static void SetUpTestSuite() {
        savedPaths_ = QIcon::themeSearchPaths();
        savedTheme_ = QIcon::themeName();
        QIcon::setThemeSearchPaths(savedPaths_ + QStringList{QStringLiteral("/usr/share/icons")});
        QIcon::setThemeName(QStringLiteral("hicolor"));
    }
    static void TearDownTestSuite() {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedTheme_);
    }
    static inline QStringList savedPaths_;
    static inline QString savedTheme_;
};

TEST_F(ThemeIcon, DrawsTheThemesPictureAndKnowsWhenThereIsNone) {
    const QIcon icon = themeIcon(QStringLiteral("document-new"));
    EXPECT_EQ(icon.name(), "document-new");
    EXPECT_FALSE(icon.isNull());
    const QPixmap drawn = icon.pixmap(48, 48);
    EXPECT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.size(), QSize(48, 48));
    EXPECT_EQ(drawn.toImage(),
              QIcon::fromTheme(QStringLiteral("document-new")).pixmap(48).toImage());

    const QIcon missing = themeIcon(QStringLiteral("no-such-picture-anywhere"));
    EXPECT_TRUE(missing.isNull());
    EXPECT_TRUE(missing.pixmap(48).isNull());
}

TEST_F(ThemeIcon, EveryPictureOfTheMainWindowIsInTheTheme) {
    for (const mainentries::Entry& entry : mainentries::entries()) {
        if (!entry.picture.isEmpty()) {
            EXPECT_FALSE(themeIcon(entry.picture).isNull()) << entry.picture.toStdString();
        }
    }
}

} // namespace
