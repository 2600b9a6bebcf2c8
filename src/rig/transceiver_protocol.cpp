#include "rig/transceiver_protocol.h"

#include "rig/ft990_protocol.h"
#include "rig/hamlib_protocol.h"
#include "rig/ic735_protocol.h"
#include "rig/ts850_protocol.h"

namespace vexa::rig {

std::unique_ptr<TransceiverProtocol> makeProtocol(TransceiverType type)
{
    switch (type) {
        case TransceiverType::Ic735:
            return std::make_unique<Ic735Protocol>();
        case TransceiverType::Ft990:
            return std::make_unique<Ft990Protocol>();
        case TransceiverType::Ts850:
            return std::make_unique<Ts850Protocol>();
        case TransceiverType::Hamlib:
            return std::make_unique<HamlibProtocol>();
        case TransceiverType::None:
        case TransceiverType::Icxxx:
            return nullptr;
    }
    return nullptr;
}

}  // namespace vexa::rig
