#include "report/stacktrace/quorMapStackSymbols.h"

namespace quor {

namespace {

class TMapStackSymbols final : public IStackSymbols {
public:
  explicit TMapStackSymbols(std::shared_ptr<const TMapFile> map) : map_(std::move(map)) {}

  bool PublicAt(uint32_t address, std::string& name, uint32_t& start) const override {
    const TMfPublic* symbol = map_->FindPublic(address);
    if (!symbol) return false;
    name = symbol->Name;
    start = symbol->Address;
    return true;
  }

  std::string UnitAt(uint32_t address) const override {
    const TMfSegment* segment = map_->FindSegment(address);
    return segment ? segment->UnitName : std::string();
  }

  int32_t LineAt(uint32_t address) const override { return map_->FindLine(address).Line; }

  bool PublicAddress(std::string_view unit, std::string_view name, uint32_t& address) const override {
    return map_->FindPublicAddress(unit, name, true, false, address);
  }

  std::string MinDebugInfo() const override { return map_->MinDebugInfo; }

private:
  std::shared_ptr<const TMapFile> map_;
};

}  // namespace

std::shared_ptr<const IStackSymbols> StackSymbolsOf(std::shared_ptr<const TMapFile> symbols) {
  if (!symbols || !symbols->Valid) return nullptr;
  return std::make_shared<TMapStackSymbols>(std::move(symbols));
}

}  // namespace quor
