// The browser backend against the contract's table: linking this proves that platform/web defines
// every function of the contract; run under node, it checks that each has an address.
//   node build-web/tests/web_contract_check.js
#include <cstdio>

#include "tests/platform_contract.h"

int main() {
    std::size_t missing = 0;
    for (std::size_t i = 0; i < contractFunctionCount; ++i) {
        if (!contractFunctions[i].address) {
            std::printf("no address: %s\n", contractFunctions[i].name);
            ++missing;
        }
    }
    std::printf("%zu contract functions, %zu without an address\n", contractFunctionCount, missing);
    return missing == 0 && contractFunctionCount > 0 ? 0 : 1;
}
