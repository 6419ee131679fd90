// aes-encode [--key K] [--iv IV] [TEXT]: "Button_encode" on TEXT; prints the
// text the encoded box receives.
#include <unistd.h>

#include <cstring>

#include "cli/tool_page.h"
#include "engine/errors.h"
#include "tools/aes_cipher.h"

namespace orvane {

int RunAesEncode(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {"--key", "--iv"}, 1);
    const std::string key = args.Value("--key", kToolsPlaceholder);
    const std::string iv = args.Value("--iv", kToolsPlaceholder);
    if (!args.positional.empty()) {
        ToolPage page(ctx);
        page.model.SetText(ToolsBox::Key, key);
        page.model.SetText(ToolsBox::IV, iv);
        page.model.SetText(ToolsBox::DATA, args.positional.front());
        page.model.Button_encodeClick();
        ctx.out.Line(page.model.Text(ToolsBox::Encoded));
        return 0;
    }
    // Standard input goes through the encoder of the encode button as it is
    // read, so a text of any size needs no more memory than a buffer.
    AesBase64Encoder encoder(key, iv);
    std::string piece;
    int err = 0;
    const bool read = StreamText(
        STDIN_FILENO,
        [&](std::string_view text) {
            piece.clear();
            encoder.Feed(text, piece);
            ctx.out.Write(piece);
        },
        err);
    if (!read)
        throw EOrvane("EInOutError", std::string("Cannot read standard input: ") + std::strerror(err));
    piece.clear();
    encoder.Finish(piece);
    ctx.out.Line(piece);
    return 0;
}

}  // namespace orvane
