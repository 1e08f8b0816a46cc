// PLACEHOLDER: replaced by the real implementation.
#include "shop/Shop.h"
namespace glintwake {
Shop::Shop() {}
Shop::~Shop() {}
void Shop::update(double, Player*, const uint8_t*) {}
}  // namespace glintwake
