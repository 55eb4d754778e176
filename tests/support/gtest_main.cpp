#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The locale settings of the environment, as "LC_ALL=de_DE.UTF-8 LANG=C.UTF-8".
std::string LocaleVariables() {
    std::string text;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE",
                             "LC_MONETARY", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            text += std::string(text.empty() ? "" : " ") + name + "=" + value;
    }
    return text.empty() ? "(none set)" : text;
}

} // namespace

int main(int argc, char** argv) {
    // Like QApplication: the C locale follows the environment. A locale that is not
    // installed would quietly leave the "C" locale, and a run meant for another one would
    // pass without testing it.
    if (!std::setlocale(LC_ALL, "")) {
        std::fprintf(stderr, "Cannot set the locale of the environment: %s\n",
                     LocaleVariables().c_str());
        return EXIT_FAILURE;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
