#pragma once

// Every GUI test runs with folders of its own: home, settings, data, cache, runtime and temporary folders
// made fresh before it starts and removed when it ends, so that nothing one test writes reaches the next; and
// no test leaves a window behind.
#include <QString>

namespace test_support {

// Points the run at the folders below <base>/<name>, made fresh (settings included); returns that folder.
QString UseFreshFolders(const QString& base, const QString& name);

// Installs the listener that gives each test its own folders below base (which must exist and stay for the
// run) and removes them after the test; a test that leaves more top-level widgets than it found fails.
void GiveEachTestItsOwnFolders(const QString& base);

} // namespace test_support
