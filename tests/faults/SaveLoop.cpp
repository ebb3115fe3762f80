// Saves the settings through the program's own save path, over and over,
// alternating between the two states of SaveLoopState, until it is killed.
// Each completed save is announced on stdout as "<count> <state>\n", written
// only once SaveSettings has returned.
//
//   scalio-save-loop SETTINGS-FILE FIRST-STATE
//
// A failed save ends the loop with exit status 1 and the reason on stderr.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "SaveLoopStates.h"
#include "settings/Settings.h"

namespace {

bool Announce(unsigned long count, int state)
{
    const std::string line = std::to_string(count) + " " + std::to_string(state) + "\n";
    // One write per line, straight to the pipe: nothing waits in a buffer
    // when the kill comes.
    return ::write(STDOUT_FILENO, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SETTINGS-FILE FIRST-STATE\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    int state = std::atoi(argv[2]) % 2;
    const RulerState states[] = {SaveLoopState(0), SaveLoopState(1)};
    for (unsigned long count = 1;; ++count, state = 1 - state) {
        std::error_code error;
        if (!SaveSettings(path, states[state], u'.', &error)) {
            std::fprintf(stderr, "save %lu failed: %s\n", count, error.message().c_str());
            return 1;
        }
        // A reader that has gone (the test ended) ends the loop too.
        if (!Announce(count, state)) return 0;
    }
}
