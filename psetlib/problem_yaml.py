"""`problem.yaml` of an exported problem package, in either version of the format: only keys
that version defines, in a small YAML of `key: value` lines, nested mappings indented by two
blanks and lists in block form.

What it says of the problem's origin comes from problemset.toml's [package], which the
problem's own [package] overrides (see settings()). The license is one of the format's list;
any but "unknown" and "public domain" needs a rights owner, which "public domain" may not have.
"""

import re
import uuid
from typing import Any, Optional

from .common import Stop
from .limits import number_text
from .problems import Problem
from .schema import LICENSES

NO_OWNER = ("unknown", "public domain")  # the licenses that need no rights owner

# A problem's uuid is uuid5 of its short name in the namespace of its set, itself uuid5 of the
# set's name in this fixed namespace: stable across exports, and never shared by two sets.
UUID_NAMESPACE = uuid.UUID("8d4f2a61-3c7e-5b09-9e1a-6f0c2d7b4e35")
CURRENT_VERSION = "2023-07-draft"  # the version string that every tool of the format takes
PLAIN = re.compile(r"^[A-Za-z][A-Za-z0-9 _.'()/+-]*$")
YAML_WORDS = {"true", "false", "yes", "no", "on", "off", "null", "y", "n"}

Yaml = dict[str, Any]  # a mapping to write: strings, numbers, booleans, lists and mappings


def scalar(value: Any) -> str:
    """A YAML scalar: plain where YAML reads it back as the same string, else double-quoted."""
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (int, float)):
        return number_text(value)
    text = str(value)
    if PLAIN.match(text) and text == text.strip() and text.lower() not in YAML_WORDS \
            and ": " not in text and " #" not in text:
        return text
    out = '"'
    for c in text:
        out += {'"': '\\"', "\\": "\\\\", "\n": "\\n", "\t": "\\t"}.get(c, c)
    return out + '"'


def dump(data: Yaml, indent: str = "") -> str:
    """The YAML text of a mapping, keys in the order given."""
    out = []
    for key, value in data.items():
        if isinstance(value, dict):
            out.append(f"{indent}{key}:\n{dump(value, indent + '  ')}")
        elif isinstance(value, list):
            out.append(f"{indent}{key}:\n" + "".join(f"{indent}  - {scalar(v)}\n" for v in value))
        else:
            out.append(f"{indent}{key}: {scalar(value)}\n")
    return "".join(out)


def problem_uuid(set_name: str, short: str) -> str:
    return str(uuid.uuid5(uuid.uuid5(UUID_NAMESPACE, set_name), short))


def settings(p: Problem, set_package: dict[str, Any]) -> dict[str, Any]:
    """The problem's [package] keys over the set's; stops on a license that is not the
    format's or a rights owner missing or not allowed."""
    keys = dict(set_package)
    keys.update(p.package)
    lic = keys.get("license", "unknown")
    where = f"{p.name}/problem.toml" if "license" in p.package else "problemset.toml"
    if lic not in LICENSES:
        raise Stop(f"{where}: [package] license = {lic!r} is none of the format's: "
                   + ", ".join(LICENSES))
    if lic not in NO_OWNER and not keys.get("rights_owner"):
        raise Stop(f"{where}: [package] license = {lic!r} needs a rights_owner in "
                   f"[package] (of problemset.toml, or of {p.name}/problem.toml)")
    if lic == "public domain" and keys.get("rights_owner"):
        raise Stop(f"{p.name}: [package] rights_owner is not allowed with license = "
                   "'public domain'")
    keys["license"] = lic
    return keys


def checker_flags(p: Problem) -> list[str]:
    """The default output checker's flags that judge answers as pset does."""
    if p.judge == "exact":
        # The set judges these answers as exact text: so must the judge's default checker,
        # which otherwise ignores case and the amount of white space.
        return ["case_sensitive", "space_change_sensitive"]
    if p.judge == "float" and p.tolerance is not None:
        return ["float_absolute_tolerance", number_text(p.tolerance)]
    raise Stop(f"{p.name}/problem.toml: judge = {p.judge!r} cannot be exported")


def legacy(p: Problem, set_name: str, set_package: dict[str, Any]) -> str:
    """problem.yaml of the legacy version."""
    keys = settings(p, set_package)
    data: Yaml = {"name": p.title, "uuid": problem_uuid(set_name, p.name)}
    for key in ("author", "source", "source_url", "license", "rights_owner"):
        if keys.get(key):
            data[key] = keys[key]
    data["validation"] = "default"
    data["validator_flags"] = " ".join(checker_flags(p))
    if "memory" in keys:
        data["limits"] = {"memory": keys["memory"]}
    return dump(data)


def authors(text: str) -> list[str]:
    """"A, B and C" -> ["A", "B", "C"]."""
    return [a.strip() for a in re.split(r",|\band\b", text) if a.strip()]


def current(p: Problem, set_name: str, set_package: dict[str, Any]) -> str:
    """problem.yaml of the current version (2023-07): the keys that both the common verifier,
    which reads an earlier state of the draft, and the newer tools take."""
    keys = settings(p, set_package)
    data: Yaml = {"problem_format_version": CURRENT_VERSION, "type": "pass-fail",
                  "name": p.title, "uuid": problem_uuid(set_name, p.name)}
    if keys.get("author"):
        data["credits"] = {"authors": authors(keys["author"])}
    source: Optional[Any] = keys.get("source")
    if source and keys.get("source_url"):
        source = {"name": source, "url": keys["source_url"]}
    if source:
        data["source"] = source
    data["license"] = keys["license"]
    if keys.get("rights_owner"):
        data["rights_owner"] = keys["rights_owner"]
    limits: Yaml = {}
    if p.time_limit is not None:
        limits["time_limit"] = p.time_limit
    if "memory" in keys:
        limits["memory"] = keys["memory"]
    if limits:
        data["limits"] = limits
    data["allow_file_writing"] = False  # the common verifier's default is true
    return dump(data)


def test_group(p: Problem) -> str:
    """data/<group>/test_group.yaml of the current version: the checker's flags as a list."""
    return dump({"output_validator_args": checker_flags(p)})


def testdata(p: Problem) -> str:
    """data/<group>/testdata.yaml, the earlier draft's name of test_group.yaml, with the flags
    as the common verifier reads them: one string."""
    return dump({"output_validator_flags": " ".join(checker_flags(p))})
