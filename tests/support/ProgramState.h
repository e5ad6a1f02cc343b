#pragma once
// Each window test starts with the program's shared variables as a fresh start has them, and
// with no settings file: the tests keep theirs in a folder of their own.
#include "app/Common.h"
#include "app/SettingsPlace.h"
#include "dialogs/frmSet.h"

#include <QFile>
#include <QTemporaryDir>

inline void reset_program_state()
{
    Common::HkPath = {};
    Common::HkIndex = 0;
    Common::KanbanPicPath.clear();
    Common::IniSpare = {};
    Common::NakaMode = 0;
    frmSet::kept_at_close.reset();
    static const QTemporaryDir settings_folder;
    keep_settings_in(settings_folder.path().toStdString());
    QFile::remove(QString::fromStdString(settings_place().write_path));
}
