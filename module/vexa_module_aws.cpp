#include "module/vexa_module_aws.h"

#include "module/definition/module_definition.h"

namespace orvane::tessel::aws {

VexaModuleAWS::VexaModuleAWS(std::uint64_t host_handle, vexa_message_callback callback)
    : module_instance(host_handle, callback) {}

std::string VexaModuleAWS::get_module_information() const {
    return std::string(definition::document());
}

}  // namespace orvane::tessel::aws
