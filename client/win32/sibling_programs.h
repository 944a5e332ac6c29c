// The programs the lobby's own buttons start beside it: the server notebook,
// and the program of the Internet access entry of config\filelist.ini.
#pragma once

namespace sibling {

// Neither start is reported when it fails: the lobby just goes on.
void StartNotebook();
void StartInternetProgram();

} // namespace sibling
