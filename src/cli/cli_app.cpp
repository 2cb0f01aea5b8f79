#include "cli/cli_app.h"

#include <string>

namespace cli {

CliApp::CliApp()
    : app("Mirrors an object of an OBT file into any set of the eight octants "
          "around a mirror centre.",
          "obtmirror-cli"),
      convert(app),
      preview(app),
      import_mesh(app),
      export_mesh(app),
      check(app) {
  app.require_subcommand(1);
  // The one version of the project, from its build description.
  app.set_version_flag("--version", std::string(OBTMIRROR_VERSION),
                       "print the version and exit");
}

}  // namespace cli
