#!/usr/bin/env bash
# Builds the template Wine prefix that every scenario copies (the fixture of the e2e tests).
source "$(dirname "$0")/lib.sh"
e2e_begin prefix --no-gatefire
e2e_pass
