// vexa-modem tx: text to transmit audio in a WAV file.
#pragma once

namespace vexa::tools {

int runTx(int argc, char** argv);

}  // namespace vexa::tools
