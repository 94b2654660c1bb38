#pragma once

#include "support/TemporaryFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// One run of the real program in a folder of its own: program folder,
// settings store and per-user folders, driven by a script.
class CindrelRun : public ::testing::Test {
protected:
    CindrelRun()
    {
        std::filesystem::create_directories(programFolder());
        // The program folder holds the default design, as an installed program's does.
        std::filesystem::copy_file(CINDREL_DEFAULT_DESIGN, programFolder() / "Cindrel.def");
    }

    std::filesystem::path programFolder() const { return folder.file("program"); }

    // Runs the program with the script's commands; returns its exit code.
    int run(const std::string& commands, const QStringList& arguments = {})
    {
        const auto script = folder.file("script.txt");
        std::ofstream(script) << "program-folder " << programFolder().string() << "\n" << commands;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(folder.path().string());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("CINDREL_TEST_SCRIPT"), QString::fromStdString(script.string()));
        environment.insert(QStringLiteral("GEARSUITE_REGISTRY"), root + QStringLiteral("/registry.sqlite3"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(CINDREL_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "the program did not end";
            return -1;
        }
        errors = process.readAllStandardError().toStdString();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    TemporaryFolder folder;
    std::string errors;
};
