#pragma once

namespace quill {

// "--set-admin-password": stores the administrator password read from
// standard input, hashed, in the settings file of the workspace loaded into
// SuiteLib. On a terminal it is asked twice without being shown. The exit
// code: 0 when stored, 1 when empty, not the same twice, or not written.
int setAdminPassword();

} // namespace quill
