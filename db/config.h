#pragma once
// Where the programs learn their database file: the per-user ini file, the ini file
// shipped in the program folder and, for the finder, the first "*.fdb" beside the program.
// Plain logic over folders, so every start-up case can be tested with temporary folders.

#include <QString>

namespace config {

inline constexpr const char *kVendorFolder = "ZEPRA";
inline constexpr const char *kEditorIni = "SK_keret.ini";
inline constexpr const char *kFinderIni = "SK_keres.ini";

// Creates the folder "ZEPRA" under the user folder and the ini file in it with
// [Main] R=1 when it is missing. Returns the file's path, or "" when the user folder is
// unknown or the file cannot be made.
QString prepareUserConfig(const QString &userFolder, const QString &fileName);

struct Resolution {
    bool pathSet = false; // the connection's file path was set (else it keeps its built-in one)
    QString dbPath;       // the path set
    bool pu = false;      // editor: extended web export
};

// "PU": an integer, non-zero means on; anything else is off.
bool readPU(const QString &value);

// keyeditor's rule; writes the learned path into the per-user file.
Resolution resolveEditor(const QString &programFolder, const QString &configPath);
// keyfinder's rule; writes the learned or found path into the per-user file.
Resolution resolveFinder(const QString &programFolder, const QString &configPath);

// Reads and writes of single ini values (section "Main" unless given).
QString readIni(const QString &path, const QString &key, const QString &defaultValue);
void writeIni(const QString &path, const QString &key, const QString &value);

} // namespace config
