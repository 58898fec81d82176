// F5: the map as it is now, tried in the game. The map goes to a file of its
// own under the temporary folder and the game (found beside the editor) runs
// on it as a child process, with the player at a given point, watching the
// file; every save in the editor rewrites it. The editor stays open and
// hears when the game ends, and ends the game when it closes itself.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class EditorWorld;

class PlayTest {
public:
    // The game program beside the editor's (or in the build tree's game
    // folder); empty when there is none.
    static std::string FindGame();
    // The game's arguments: the map, the start, the content folder; a
    // headless editor passes on headless running, a frame limit and files
    // for the game's trace and log beside its own. peaceful: no enemies.
    static std::vector<std::string> Arguments(const std::string& game, const std::string& map,
                                              float x, float y, bool peaceful = false);

    // False with the reason when the map cannot be written or the game not
    // started (or one runs already).
    bool Start(const EditorWorld& world, float x, float y, std::string& error,
               bool peaceful = false);
    // While the game runs: the map as it is now over the game's map file,
    // which the game (started with --watch) reloads. False with the reason
    // when it cannot be written, and when no game runs.
    bool Refresh(const EditorWorld& world, std::string& error);
    // Ends the game (the editor is closing) and removes its files.
    void Stop();
    // Without waiting: true once, when the game has ended; code = its exit
    // status (or -1 when it did not exit normally). The map file goes then.
    bool Ended(int& code);
    // Blocks until the game ends (a headless editor before it ends itself);
    // its exit code as for Ended, or -1 when none was running.
    int Wait();
    bool Running() const { return m_pid > 0; }
    const std::string& MapFile() const { return m_map; }

private:
    void Finished();

    pid_t m_pid = -1;
    std::string m_folder;
    std::string m_map;
};
