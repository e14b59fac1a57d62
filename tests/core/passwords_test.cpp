#include "core/passwords.h"
#include "support/printers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(Passwords, AreStoredAsSaltedArgon2idHashesAtLeastAsStrongAsOwaspAsks) {
    const QString first = passwords::hash("Secret9");
    const QString second = passwords::hash("Secret9");
    EXPECT_NE(first, second) << "each hash has its own salt";
    EXPECT_TRUE(first.startsWith("$argon2id$")) << first.toStdString();
    EXPECT_FALSE(first.contains("secret", Qt::CaseInsensitive));
    const auto m = QRegularExpression(R"(\$m=(\d+),t=(\d+),p=(\d+)\$)").match(first);
    ASSERT_TRUE(m.hasMatch()) << first.toStdString();
    EXPECT_GE(m.captured(1).toInt(), 19456) << "memory in KiB";
    EXPECT_GE(m.captured(2).toInt(), 2) << "passes";
}

TEST(Passwords, BlanksAroundAndTheCaseOfLatinLettersDoNotMatter) {
    const QString stored = passwords::hash("Secret9");
    EXPECT_TRUE(passwords::matches("Secret9", stored));
    EXPECT_TRUE(passwords::matches("  sECRET9 ", stored));
    EXPECT_TRUE(passwords::matches("\tSECRET9", stored));
    EXPECT_FALSE(passwords::matches("Secret", stored));
    EXPECT_FALSE(passwords::matches("Secret 9", stored)) << "inner blanks count";
    EXPECT_FALSE(passwords::matches("Secret90", stored));

    const QString chinese = passwords::hash(" 密码Ab ");
    EXPECT_TRUE(passwords::matches("密码aB", chinese));
    EXPECT_FALSE(passwords::matches("密玛ab", chinese));
}

TEST(Passwords, AnEmptyPasswordIsAPasswordLikeAnyOther) {
    const QString stored = passwords::hash("");
    EXPECT_TRUE(passwords::matches("   ", stored));
    EXPECT_FALSE(passwords::matches("x", stored));
    EXPECT_FALSE(passwords::matches("", passwords::hash("x")));
}

TEST(Passwords, AStoredTextThatIsNoHashMatchesNothing) {
    EXPECT_FALSE(passwords::matches("admin", "admin")) << "plain text no longer opens the door";
    EXPECT_FALSE(passwords::matches("", ""));
    EXPECT_FALSE(passwords::matches("admin", "$argon2id$v=19$m=65536,t=2,p=1$broken"));
    EXPECT_FALSE(passwords::matches("admin", QString(500, u'x')));
}

} // namespace
