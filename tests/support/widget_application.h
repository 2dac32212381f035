#pragma once
// Widget tests need one QApplication for the whole test program. Header only; created
// on first use, on the offscreen platform unless QT_QPA_PLATFORM names another, and
// destroyed when the last test has run (Qt cannot take it down after main returns).

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

inline std::unique_ptr<QApplication>& WidgetApplicationSlot()
{
    static std::unique_ptr<QApplication> application;
    return application;
}

class WidgetApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { WidgetApplicationSlot().reset(); }
};

// GoogleTest owns the environments handed to it.
inline ::testing::Environment* const kWidgetApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new WidgetApplicationEnvironment);

inline QApplication& WidgetApplication()
{
    std::unique_ptr<QApplication>& application = WidgetApplicationSlot();
    if (!application) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "orvenna-widget-tests";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
    return *application;
}
