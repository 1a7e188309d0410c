#pragma once

#include <cstdint>
#include <string>

#include "aws/clients/client_configuration.h"
#include "module/module_instance.h"

namespace orvane::tessel::aws {

// The AWS module: starts the AWS SDK, adds the AWS client factories, registers every sensor, check
// and meta-scan kind, and answers with the module definition document.
class VexaModuleAWS final : public libvexahelper::module::module_instance {
public:
    VexaModuleAWS(std::uint64_t host_handle, vexa_message_callback callback);

    std::string get_module_information() const override;

private:
    aws_sdk_guard sdk_;
};

}  // namespace orvane::tessel::aws
