#pragma once

#include <functional>
#include <future>

// Work started beside the user-interface thread, such as loading at start-up what a later
// step needs.
namespace lumo::process {

// Runs work on a thread of its own and returns its future; the program waits for every such
// work before it ends.
std::shared_future<void> RunInBackground(std::function<void()> work);

// Waits until all work started so far has ended.
void WaitForBackgroundWork();

} // namespace lumo::process
