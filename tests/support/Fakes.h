#pragma once
// Stand-ins for the devices a window test does not want: message boxes that record and
// return at once, a folder picker that answers from a script, a sound sink that records.
// Each is in place of the real device from its construction to its end.
#include "Sequence.h"
#include "app/Identity.h"

#include "platform/audio/Sound.h"
#include "platform/forms/FolderPicker.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/OpenDocument.h"
#include "platform/forms/OpenFileDialog.h"
#include "platform/system/Trace.h"

#include <deque>
#include <optional>

// Takes the real device's place from its construction to its end.
template <class Device>
class StandIn : public Device {
    const platform::Override<Device> m_in_place { *this };
};

// The next answer of a script; nothing (a cancel) once the script has run out.
template <class Answer>
std::optional<Answer> next_answer(std::deque<std::optional<Answer>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

class RecordingMessageBoxes : public StandIn<platform::MessageBoxes> {
public:
    // The caption the program hands in at start.
    RecordingMessageBoxes() { platform::set_program_identity(BusIdentity); }
    void show(const std::string& text, bool critical, const std::string& caption) override
    {
        shown.push_back(caption + ": " + text + (critical ? " (critical)" : ""));
    }
    Sequence shown;
};

class ScriptedFolderPicker : public StandIn<platform::FolderPicker> {
public:
    std::optional<std::string> pick(std::intptr_t owner, const std::string& title) override
    {
        owners.push_back(owner);
        titles.push_back(title);
        return next_answer(answers);
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::intptr_t> owners;
    Sequence titles;
};

// Records each sound into the trace, so it stands in order with the door frames.
class RecordingSoundSink : public StandIn<platform::SoundSink> {
public:
    bool play(std::span<const std::uint8_t> wave) override
    {
        ++played;
        platform::trace::record("sound " + std::to_string(wave.size()) + " bytes");
        return true;
    }
    int played { 0 };
};

class TraceRecorder : public StandIn<platform::trace::Recorder> {
public:
    void record(const std::string& row) override { rows.push_back(row); }
    Sequence rows;
};

// Answers the open-file dialog from a script: a path, or nothing for a cancel. Records the
// owner and the pattern of each opening.
class ScriptedFilePicker : public StandIn<platform::FilePicker> {
public:
    std::optional<std::string> pick(std::intptr_t owner, const std::string& pattern) override
    {
        openings.push_back({ owner, pattern });
        return next_answer(answers);
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::pair<std::intptr_t, std::string>> openings;
};

// Records each address given to the system's "open" action instead of opening it.
class RecordingDocumentOpener : public StandIn<platform::DocumentOpener> {
public:
    void open(const std::string& address) override { opened.push_back(address); }
    Sequence opened;
};
